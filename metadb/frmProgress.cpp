#include "metadb/frmProgress.h"

#include "platform/AppInfo.h"
#include "platform/WindowLife.h"
#include "shell/ControlColours.h"
#include "shell/ScreenFit.h"
#include "shell/Twips.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMovie>
#include <QPointer>

namespace metadb {

namespace {

using shell::px;

QPointer<frmProgress>& slot()
{
    static QPointer<frmProgress> window;
    return window;
}

} // namespace

frmProgress::frmProgress(QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    setObjectName(QStringLiteral("frmProgress"));
    platform::deleteOnClose(this);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAutoFillBackground(true);
    shell::ControlColours::SetBackColor(this, shell::ControlColours::ColourValue(Qt::white));
    setFixedSize(px(2505), px(600));

    auto* gif = new QLabel(this);
    gif->setObjectName(QStringLiteral("Gif89a1"));
    gif->setGeometry(px(180), px(150), px(2100), px(270));
    gif->setScaledContents(true);
    // Without the picture the window still shows, only without animation.
    const QString file = QDir(platform::appPath()).filePath(QStringLiteral("progbar.gif"));
    if (QFileInfo(file).isFile()) {
        auto* movie = new QMovie(file, QByteArray(), gif);
        if (movie->isValid()) {
            gif->setMovie(movie);
            movie->start();
            animating_ = movie->state() == QMovie::Running;
        }
    }

    shell::centreOnScreen(this);
}

void showProgress(QWidget* owner)
{
    QPointer<frmProgress>& w = slot();
    if (w.isNull())
        w = new frmProgress(owner);
    if (!w->isVisible())
        w->show();
}

void unloadProgress()
{
    QPointer<frmProgress>& w = slot();
    if (w.isNull())
        return;
    frmProgress* p = w.data();
    w = nullptr;
    p->hide();
    delete p;
}

frmProgress* progressWindow() { return slot().data(); }

} // namespace metadb
