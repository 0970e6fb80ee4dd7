#include "shell/frmSplash.h"

#include "platform/AppInfo.h"
#include "platform/DesignFont.h"
#include "platform/FileTypeKeys.h"
#include "platform/WindowLife.h"
#include "shell/ScreenFit.h"
#include "shell/ScriptFont.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>
#include <QtMath>
#include <optional>

namespace shell {

namespace {

std::optional<ProgramShell>& registered()
{
    static std::optional<ProgramShell> p;
    return p;
}

// The logo: a bell curve with two group means on a blue tile.
QPixmap drawLogo(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 0, size);
    bg.setColorAt(0, QColor(40, 90, 170));
    bg.setColorAt(1, QColor(15, 40, 95));
    p.setPen(Qt::NoPen);
    p.setBrush(bg);
    p.drawRoundedRect(QRectF(2, 2, size - 4, size - 4), size / 8.0, size / 8.0);

    const double base = size * 0.78, height = size * 0.52, left = size * 0.1, width = size * 0.8;
    auto curve = [&](double centre) {
        QPainterPath path;
        for (int i = 0; i <= 80; ++i) {
            const double x = -3.0 + 6.0 * i / 80.0;
            const QPointF pt(left + width * (i / 80.0) + (centre * width / 6.0), base - height * std::exp(-x * x / 2.0));
            if (i == 0)
                path.moveTo(pt);
            else
                path.lineTo(pt);
        }
        return path;
    };
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 130), size / 40.0));
    p.drawPath(curve(0.45));
    p.setPen(QPen(Qt::white, size / 28.0));
    p.drawPath(curve(-0.45));
    p.setPen(QPen(QColor(255, 210, 80), size / 48.0, Qt::DashLine));
    for (double c : {-0.45, 0.45}) {
        const double x = left + width / 2.0 + c * width / 6.0;
        p.drawLine(QPointF(x, base - height), QPointF(x, base));
    }
    p.setPen(QPen(Qt::white, size / 64.0));
    p.drawLine(QPointF(left * 0.6, base), QPointF(size - left * 0.6, base));
    return pm;
}

QLabel* addLabel(QWidget* parent, const QString& name, const QString& text, const QFont& font, const QRect& geometry)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setFont(font);
    l->setGeometry(geometry);
    return l;
}

} // namespace

const ProgramShell* programShell() { return registered() ? &*registered() : nullptr; }

ProgramShellRegistration::ProgramShellRegistration(const ProgramShell& program) : before_(registered())
{
    registered() = program;
}

ProgramShellRegistration::~ProgramShellRegistration() { registered() = before_; }

frmSplash::frmSplash(const ProgramShell& program, std::function<QWidget*()> loadMain, const QString& programFolder)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      program_(program), loadMain_(std::move(loadMain)),
      folder_(programFolder.isEmpty() ? platform::appPath() : programFolder)
{
    setObjectName(QStringLiteral("frmSplash"));
    platform::deleteOnClose(this);
    setWindowTitle(program_.splash.productName);
    buildControls();
}

frmSplash::~frmSplash() = default;

void frmSplash::buildControls()
{
    setFixedSize(480, 300);
    fraMainFrame = new QFrame(this);
    fraMainFrame->setObjectName(QStringLiteral("fraMainFrame"));
    fraMainFrame->setFrameShape(QFrame::Box);
    fraMainFrame->setGeometry(8, 8, 464, 284);

    picLogo = new QLabel(fraMainFrame);
    picLogo->setObjectName(QStringLiteral("picLogo"));
    picLogo->setGeometry(16, 24, 128, 128);
    // The logo is drawn when the splash first shows (showEvent): the main
    // window, loaded first, need not wait for it.

    const SplashTexts& t = program_.splash;
    addLabel(fraMainFrame, QStringLiteral("lblProductName"), t.productName, scriptFont(30), QRect(164, 16, 284, 56));
    addLabel(fraMainFrame, t.versionLabelName, t.versionText, scriptFont(16), QRect(164, 76, 284, 30));
    if (!t.makerName.isEmpty())
        addLabel(fraMainFrame, QStringLiteral("Label1"), t.makerName, scriptFont(14), QRect(164, 110, 284, 28));
    addLabel(fraMainFrame, QStringLiteral("lblCompanyName"), t.webAddress, scriptFont(12), QRect(16, 176, 432, 26));
    addLabel(fraMainFrame, QStringLiteral("lblCopyright"), t.notice, scriptFont(11), QRect(16, 206, 432, 26));
    addLabel(fraMainFrame, QStringLiteral("lblMotto"), t.motto, scriptFont(11, true), QRect(16, 240, 432, 26));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setTimerType(Qt::PreciseTimer); // never before the second is up
    connect(Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
}

void frmSplash::showEvent(QShowEvent* event)
{
    if (picLogo->pixmap().isNull())
        picLogo->setPixmap(drawLogo(128));
    QWidget::showEvent(event);
}

void frmSplash::Form_Load()
{
    // 1-2. The main window: its own loading runs in full, then it shows.
    if (loadMain_)
        main_ = loadMain_();
    if (main_)
        main_->show();

    // 3. The splash over it, centred on the screen.
    centreOnScreen(this);
    show();
    raise();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    // 4. The timer that unloads the splash.
    Timer1->setInterval(1000);
    Timer1->start();

    // 5. The file types.
    checkFileTypes();
}

void frmSplash::checkFileTypes()
{
    namespace ft = platform::filetypes;
    bool rewritten = false;
    for (const FileTypeRow& row : program_.rows) {
        QString folder = folder_;
        if (!folder.endsWith(QLatin1Char('/')))
            folder += QLatin1Char('/');
        const QString opener = StripPath(GetAssociatedProgram(row.extension));
        if (opener == row.programFile)
            continue;
        // Each write stands alone: one that fails leaves its file as it was.
        ft::setClassDescription(row.classKey, row.classDescription);
        ft::setExtensionClass(row.extensionKey, row.classKey);
        ft::setClassOpenCommand(row.classKey, folder + row.programFile);
        ft::setClassIcon(row.classKey, folder + row.iconFile);
        rewritten = true;
    }
    // The desktop's caches are rebuilt once for all rows: each rebuild runs
    // two programs, and the rows' types are independent of one another.
    if (rewritten)
        ft::notifyAssociationsChanged();
}

void frmSplash::Timer1_Timer()
{
    Timer1->stop();
    close();
}

QString frmSplash::StripPath(const QString& T)
{
    const int slash = T.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? T : T.mid(slash + 1);
}

QString frmSplash::GetAssociatedProgram(const QString& Extension)
{
    return platform::filetypes::associatedProgram(Extension);
}

int runProgram(QApplication& app, const ProgramShell& program, const std::function<QWidget*()>& loadMain)
{
    const ProgramShellRegistration registration(program);
    platform::applyDesignFont();
    installScreenFit();
    QPointer<QWidget> main;
    QPointer<frmSplash> splash = new frmSplash(program, [&] {
        QWidget* w = loadMain ? loadMain() : nullptr;
        main = w;
        return w;
    });
    splash->Form_Load();
    const int rc = main ? app.exec() : 1;
    delete splash.data();
    delete main.data();
    return rc;
}

} // namespace shell
