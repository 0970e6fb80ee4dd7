#pragma once
// The database copy export window: copies a study database file byte for
// byte under a new name, in blocks of a chosen size, showing its progress,
// the elapsed and remaining time and the transfer rate.
#include <QDateTime>
#include <QDialog>
#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QRadioButton;
class QSlider;
class QTimer;

namespace metadb {

class frmAccess : public QDialog {
    Q_OBJECT
public:
    explicit frmAccess(QWidget* owner = nullptr);

    void Option1_Click();
    void Option2_Click();
    void Slider1_Scroll();
    void cmdOpen_Click();
    void cmdSave_Click();
    void cmdExport_Click();
    void cmdExit_Click();
    void Timer1_Timer();

    // The remaining time of the running copy at this percentage done.
    QString TimeRemaining(const QString& CurrentPercentage) const;

    // The block size in bytes from the unit and the slider.
    qint64 blockSize() const;
    bool copying() const { return copying_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void setSliderMaximum();
    void setPanel(int panel, const QString& text);
    void reportFailure(const QString& description);

    QLineEdit* Text1_;
    QLineEdit* Text2_;
    QLabel* Label2_;
    QRadioButton* Option1_;
    QRadioButton* Option2_;
    QSlider* Slider1_;
    QCheckBox* Check1_;
    QProgressBar* prg1_;
    QLabel* panels_[4];
    QTimer* Timer1_;

    // The file name the shared file dialog holds from its last use.
    QString dialogFileName_;
    qint64 bytesSinceTick_ = 0;
    double startTimeOfDay_ = 0;
    QDateTime startDateTime_;
    bool copying_ = false;
    bool settingMaximum_ = false;
};

} // namespace metadb
