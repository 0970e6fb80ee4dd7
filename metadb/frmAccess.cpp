#include "metadb/frmAccess.h"

#include "metadb/ExportControls.h"
#include "metadb/FileCopy.h"
#include "metadb/Trace.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/Numbers.h"
#include "shell/TextBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSlider>
#include <QStatusBar>
#include <QTime>
#include <QTimer>

#include <climits>

namespace metadb {

namespace {
constexpr int kWidth = 8700;
constexpr int kHeight = 4080;

double timeOfDay() { return QTime::currentTime().msecsSinceStartOfDay() / 1000.0; }

QDateTime nowToTheSecond()
{
    QDateTime now = QDateTime::currentDateTime();
    now.setTime(QTime(now.time().hour(), now.time().minute(), now.time().second()));
    return now;
}
} // namespace

frmAccess::frmAccess(QWidget* owner) : QDialog(owner)
{
    using namespace exportui;
    fixedDialog(this, "frmAccess", QStringLiteral("Export Meta-Analysis Database To Microsoft Access Database"), kWidth,
                kHeight);

    place(new QLabel(QStringLiteral("Source file:"), this), "Label3", 120, 165, 1680, 255);
    Text1_ = place(shell::newLineBox(this), "Text1", 1860, 120, 5640, 330);
    auto* cmdOpen = place(new QPushButton(QStringLiteral("Browse"), this), "cmdOpen", 7590, 120, 990, 330);
    place(new QLabel(QStringLiteral("Destination file:"), this), "Label4", 120, 585, 1680, 255);
    Text2_ = place(shell::newLineBox(this), "Text2", 1860, 540, 5640, 330);
    auto* cmdSave = place(new QPushButton(QStringLiteral("Browse"), this), "cmdSave", 7590, 540, 990, 330);

    place(new QLabel(QStringLiteral("Buffer:"), this), "Label1", 120, 1050, 735, 255);
    Label2_ = place(new QLabel(QStringLiteral("2 Mb"), this), "Label2", 870, 1050, 1095, 255);
    Option1_ = place(new QRadioButton(QStringLiteral("Kb"), this), "Option1", 2100, 1020, 735, 300);
    Option2_ = place(new QRadioButton(QStringLiteral("Mb"), this), "Option2", 2940, 1020, 735, 300);
    Option2_->setChecked(true);
    Slider1_ = place(new QSlider(Qt::Horizontal, this), "Slider1", 120, 1410, 8460, 435);
    Check1_ = place(new QCheckBox(QStringLiteral("Let operating system process other events while copying? "
                                                 "(Slower if box is checked)"),
                                  this),
                    "Check1", 120, 1950, 8460, 330);
    prg1_ = place(new QProgressBar(this), "prg1", 120, 2400, 8460, 330);
    prg1_->setRange(0, 100);
    prg1_->setValue(0);
    prg1_->setTextVisible(false);
    auto* cmdExport = place(new QPushButton(QStringLiteral("&Export File"), this), "cmdExport", 120, 2880, 1935, 495);
    auto* cmdExit = place(new QPushButton(QStringLiteral("&Close"), this), "cmdExit", 6645, 2880, 1935, 495);
    for (QPushButton* b : {cmdOpen, cmdSave, cmdExport, cmdExit})
        b->setAutoDefault(false);

    auto* sb1 = new QStatusBar(this);
    sb1->setObjectName(QStringLiteral("sb1"));
    sb1->setSizeGripEnabled(false);
    for (int i = 0; i < 4; ++i) {
        panels_[i] = new QLabel(sb1);
        panels_[i]->setObjectName(QStringLiteral("Panel(%1)").arg(i + 1));
        sb1->addWidget(panels_[i], i == 3 ? 1 : 0);
    }
    const int barHeight = sb1->sizeHint().height();
    sb1->setGeometry(0, height() - barHeight, width(), barHeight);

    Timer1_ = new QTimer(this);
    Timer1_->setObjectName(QStringLiteral("Timer1"));
    Timer1_->setInterval(1000);

    connect(Option1_, &QRadioButton::clicked, this, [this] { Option1_Click(); });
    connect(Option2_, &QRadioButton::clicked, this, [this] { Option2_Click(); });
    connect(Slider1_, &QSlider::valueChanged, this, [this] {
        if (!settingMaximum_)
            Slider1_Scroll();
    });
    connect(cmdOpen, &QPushButton::clicked, this, [this] { cmdOpen_Click(); });
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdExport, &QPushButton::clicked, this, [this] { cmdExport_Click(); });
    connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
    connect(Timer1_, &QTimer::timeout, this, [this] { Timer1_Timer(); });

    // Form_Load
    setSliderMaximum();
    settingMaximum_ = true;
    Slider1_->setMinimum(1);
    Slider1_->setValue(2);
    settingMaximum_ = false;
    Label2_->setText(QStringLiteral("2 Mb"));
    Timer1_->start();
}

void frmAccess::setSliderMaximum()
{
    // Only the range changes: the slider keeps its value within it and the
    // block-size text stays until the slider is moved.
    settingMaximum_ = true;
    Slider1_->setMaximum(Option1_->isChecked() ? 1023 : 5);
    settingMaximum_ = false;
}

void frmAccess::Option1_Click() { setSliderMaximum(); }
void frmAccess::Option2_Click() { setSliderMaximum(); }

void frmAccess::Slider1_Scroll()
{
    const QString text = QString::number(Slider1_->value()) + (Option1_->isChecked() ? QStringLiteral(" Kb")
                                                                                      : QStringLiteral(" Mb"));
    Slider1_->setToolTip(text);
    Label2_->setText(text);
}

qint64 frmAccess::blockSize() const
{
    return static_cast<qint64>(Slider1_->value()) * (Option1_->isChecked() ? 1024 : 1048576);
}

void frmAccess::setPanel(int panel, const QString& text) { panels_[panel - 1]->setText(text); }

void frmAccess::cmdOpen_Click()
{
    const QString chosen = platform::getOpenFileName(this, QStringLiteral("Open"), dialogFileName_,
                                                     QStringLiteral("MET files (*.met)"));
    if (!chosen.isEmpty())
        dialogFileName_ = chosen;
    if (!dialogFileName_.isEmpty())
        Text1_->setText(dialogFileName_);
}

void frmAccess::cmdSave_Click()
{
    if (Text1_->text().isEmpty()) {
        platform::msgBox(QStringLiteral("Select source file first!"), platform::MsgButtons::OK,
                         platform::MsgIcon::None, {}, this);
        return;
    }
    const QString folder = dialogFileName_.isEmpty() ? QString() : QFileInfo(dialogFileName_).absolutePath();
    dialogFileName_ = platform::getSaveFileName(this, QStringLiteral("Save As"), folder,
                                                QStringLiteral("MS Access Database (*.mdb)"), QStringLiteral("mdb"),
                                                false);
    if (!dialogFileName_.isEmpty())
        Text2_->setText(dialogFileName_);
}

QString frmAccess::TimeRemaining(const QString& CurrentPercentage) const
{
    return metadb::TimeRemaining(CurrentPercentage, startDateTime_.secsTo(nowToTheSecond()));
}

void frmAccess::cmdExport_Click()
{
    if (copying_)
        return;   // a copy is running: this press waits for nothing
    if (Text1_->text().isEmpty() || Text2_->text().isEmpty()) {
        QApplication::beep();
        platform::msgBox(QStringLiteral("Please select a source file in the first box and a destination and file "
                                        "name in the second box."),
                         platform::MsgButtons::OK, platform::MsgIcon::None, {}, this);
        return;
    }
    startTimeOfDay_ = timeOfDay();
    const QString source = Text1_->text();
    const QString destination = Text2_->text();
    const qint64 length = QFileInfo(source).size();
    const qint64 block = blockSize();
    // The bar counts bytes; a file beyond its range is counted in kilobytes.
    const qint64 unit = length > INT_MAX ? 1024 : 1;
    prg1_->setRange(0, static_cast<int>(length / unit));
    prg1_->setValue(0);
    startDateTime_ = nowToTheSecond();

    copying_ = true;
    auto done = qScopeGuard([this] { copying_ = false; });
    try {
        copyFileInBlocks(source, destination, block, [&](const CopyBlock& b) {
            prg1_->setValue(static_cast<int>(b.copied / unit));
            const int percent = percentDone(b.copied, b.total);
            setPanel(1, QStringLiteral("Complete: ") + QString::number(percent) + QStringLiteral(" %"));
            bytesSinceTick_ += b.length;
            if (Check1_->isChecked())
                QCoreApplication::processEvents();
            double elapsed = platform::roundHalfEven(timeOfDay(), 0) - startTimeOfDay_;
            if (elapsed < -1)
                elapsed += 86400;   // the copy went past midnight
            try {
                setPanel(3, QStringLiteral("Time: ") + FormatElapsed(elapsed));
            } catch (const platform::RuntimeError& e) {
                // beyond the minutes the panel can count: it keeps its last text
                qCWarning(traceMetadb) << "the copy's time:" << e.description();
            }
            setPanel(4, QStringLiteral("Estimated Time Remaining : ") + TimeRemaining(QString::number(percent))
                            + QStringLiteral(" "));
        });
    } catch (const platform::RuntimeError& e) {
        reportFailure(e.description());
        return;
    } catch (const std::exception& e) {
        reportFailure(QString::fromLocal8Bit(e.what()));
        return;
    }
    platform::msgBox(QStringLiteral("File export successfully completed."), platform::MsgButtons::OK,
                     platform::MsgIcon::Information, {}, this);
}

void frmAccess::reportFailure(const QString& description)
{
    platform::msgBox(QStringLiteral("The file was not exported.\r\n\r\n") + description
                         + QStringLiteral("\r\n\r\nThe destination file has not been changed."),
                     platform::MsgButtons::OK, platform::MsgIcon::Exclamation, {}, this);
}

void frmAccess::Timer1_Timer()
{
    setPanel(2, QStringLiteral(" Transfer rate: ") + rateText(bytesSinceTick_) + QStringLiteral(" / KBps "));
    bytesSinceTick_ = 0;
}

void frmAccess::cmdExit_Click() { close(); }

void frmAccess::closeEvent(QCloseEvent* event)
{
    // A running copy finishes first; its files are closed when it ends.
    if (copying_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void frmAccess::reject()
{
    if (!copying_)
        QDialog::reject();
}

} // namespace metadb
