#include "shell/frmPrint.h"

#include "platform/AppInfo.h"
#include "platform/Dialogs.h"
#include "platform/WindowLife.h"
#include "shell/ProgramShell.h"
#include "shell/Resize.h"
#include "shell/ScreenCapture.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDateTime>
#include <QEventLoop>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

namespace shell {

namespace {

const char* const kInstructions1 =
    "Press the Capture command button above (button 1), and activate the window you want 'captured'. "
    "You have 2 seconds to get the right window active.";
const char* const kInstructions2 =
    "You will see a portion of the captured image in the space to the right (don't worry, the rest is "
    "there too, even if it's too big for the frame). Pressing button 2 above will print the whole image to "
    "your default printer. Pressing button 3 will copy the whole picture into your clipboard (which you can "
    "paste into other programmes). Just press the OK button to exit this print programme at any time.";

} // namespace

// ---- Picture box -------------------------------------------------------------

PictureBox::PictureBox(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
}

void PictureBox::setPicture(const QPixmap& picture)
{
    picture_ = picture;
    update();
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (picture_.isNull())
        return;
    QPainter p(this);
    const QRect inner = contentsRect();
    p.setClipRect(inner);
    p.drawPixmap(inner.topLeft(), picture_);
}

// ---- The wait -------------------------------------------------------------------

void waitSecondsProcessingEvents(int seconds)
{
    const qint64 deadline = QDateTime::currentSecsSinceEpoch() + seconds;
    for (;;) {
        const qint64 nowMs = QDateTime::currentMSecsSinceEpoch();
        if (nowMs / 1000 > deadline)
            return;
        // Sleep in the event loop until the clock's second passes the deadline.
        const qint64 endMs = (deadline + 1) * 1000;
        QEventLoop loop;
        QTimer::singleShot(static_cast<int>(std::max<qint64>(1, endMs - nowMs)), &loop, &QEventLoop::quit);
        const platform::CommandWait wait;
        loop.exec();
    }
}

// ---- The dialog ------------------------------------------------------------------

frmPrint::frmPrint(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmPrint"));
    setWindowTitle(QStringLiteral("Printing Options"));

    auto button = [this](const QString& name, const QString& caption, int left, int top) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setGeometry(px(left), px(top), px(4455), px(495));
        return b;
    };
    auto* capture = button(QStringLiteral("CmdCaptureWindow"), QString(), 120, 120);
    auto* print = button(QStringLiteral("cmdPrint"), QString(), 120, 720);
    auto* copy = button(QStringLiteral("cmdCopy"), QStringLiteral("3. Copy Picture Into Clipboard"), 120, 1320);
    auto* ok = button(QStringLiteral("OKButton"), QStringLiteral("OK"), 120, 6795);

    auto label = [this](const QString& name, const QString& text, int left, int top, int width, int height) {
        auto* l = new QLabel(text, this);
        l->setObjectName(name);
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        l->setGeometry(px(left), px(top), px(width), px(height));
        return l;
    };
    QLabel* heading = label(QStringLiteral("lblInstructions"), QStringLiteral("Instructions"), 120, 2040, 4455, 330);
    QFont hf = heading->font();
    hf.setBold(true);
    heading->setFont(hf);
    label(QStringLiteral("Lbl1Instructions"),
          (programShell() ? programShell()->captureLead : QString()) + QString::fromLatin1(kInstructions1), 120,
          2430, 4455, 1440);
    label(QStringLiteral("Lbl2Instructions"), QString::fromLatin1(kInstructions2), 120, 3930, 4455, 2745);

    Picture1_ = new PictureBox(this);
    Picture1_->setObjectName(QStringLiteral("Picture1"));
    Picture1_->setGeometry(px(4740), px(120), px(4875), px(7170));

    connect(capture, &QPushButton::clicked, this, [this] { CmdCaptureWindow_Click(); });
    connect(print, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });
    connect(copy, &QPushButton::clicked, this, [this] { cmdCopy_Click(); });
    connect(ok, &QPushButton::clicked, this, [this] { OKButton_Click(); });

    Form_Load();
}

void frmPrint::Form_Load()
{
    setWindowTitle(QStringLiteral("Capture and Print"));
    resize(px(9735), px(7410));
    findChild<QPushButton*>(QStringLiteral("CmdCaptureWindow"))->setText(QStringLiteral("1. &Capture Active Window"));
    findChild<QPushButton*>(QStringLiteral("cmdPrint"))
        ->setText(QStringLiteral("2. &Print Captured Window To Default Printer"));
}

const QPixmap& frmPrint::picture() const { return Picture1_->picture(); }

bool frmPrint::hasPicture()
{
    if (!Picture1_->picture().isNull())
        return true;
    platform::msgBox(QStringLiteral("No window has been captured yet. Press button 1 to capture a window first."),
                     platform::MsgButtons::OK, platform::MsgIcon::Information, {}, this);
    return false;
}

void frmPrint::CmdCaptureWindow_Click()
{
    platform::msgBox(QStringLiteral("Two seconds after you close this dialog the active window will be captured."),
                     platform::MsgButtons::OK, platform::MsgIcon::None, {}, this);
    QPointer<frmPrint> self(this);
    ++waiting_;
    waitSecondsProcessingEvents(WaitSeconds);
    if (!self)
        return;   // the window went away during the wait
    --waiting_;
    if (closeRequested_) {
        if (waiting_ == 0)
            close();
        return;
    }
    Picture1_->setPicture(ScreenCapture::CaptureForegroundWindow(this));
    activateWindow();
    raise();
    setFocus(Qt::OtherFocusReason);
}

void frmPrint::cmdPrint_Click()
{
    if (!hasPicture())
        return;
    const QPixmap pic = Picture1_->picture();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(platform::appInfo().title + QStringLiteral(" - Captured Window"));
    printer.setPageOrientation(pic.height() < pic.width() ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (!platform::execPrintDialog(printer, this))
        return;
    if (!ScreenCapture::PrintPictureFitted(printer, pic))
        platform::msgBox(QStringLiteral("The captured window could not be printed. Please check the printer."),
                         platform::MsgButtons::OK, platform::MsgIcon::Exclamation, {}, this);
}

void frmPrint::cmdCopy_Click()
{
    if (!hasPicture())
        return;
    QClipboard* cb = QGuiApplication::clipboard();
    cb->clear();
    cb->setPixmap(Picture1_->picture());
}

void frmPrint::OKButton_Click() { close(); }

void frmPrint::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Resize::ResizeFormControls(this);
}

void frmPrint::showEvent(QShowEvent* event)
{
    closeRequested_ = false;   // opened again while a capture was still waiting
    QWidget::showEvent(event);
}

void frmPrint::closeEvent(QCloseEvent* event)
{
    if (waiting_ > 0) {
        // A capture is waiting on the stack: the window goes once it returns.
        closeRequested_ = true;
        hide();
        event->ignore();
        return;
    }
    Picture1_->setPicture(QPixmap());
    closeRequested_ = false;
    QWidget::closeEvent(event);
}

} // namespace shell
