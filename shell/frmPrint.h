#pragma once
// The capture dialog: takes a picture of the foreground window a moment after
// the user asks for it, shows it, prints it fitted to one page, or puts it on
// the clipboard.
#include <QFrame>
#include <QPixmap>

class QLabel;
class QPushButton;

namespace shell {

// A picture box: shows its picture at its own size from the top left corner,
// cut off at the box's edges.
class PictureBox : public QFrame {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);
    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
};

class frmPrint : public QWidget {
    Q_OBJECT
public:
    explicit frmPrint(QWidget* parent = nullptr);

    void CmdCaptureWindow_Click();
    void cmdPrint_Click();
    void cmdCopy_Click();
    void OKButton_Click();

    const QPixmap& picture() const;
    // Seconds waited after the message closes before the capture.
    static constexpr int WaitSeconds = 2;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();
    bool hasPicture();

    PictureBox* Picture1_ = nullptr;
    int waiting_ = 0;            // captures in progress (a click during the wait nests)
    bool closeRequested_ = false;
};

// Waits until the clock, read in whole seconds, is past `seconds` after now,
// handling the program's events meanwhile without busying the processor.
void waitSecondsProcessingEvents(int seconds);

} // namespace shell
