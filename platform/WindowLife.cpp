#include "platform/WindowLife.h"

#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace platform {

namespace {

int& waits()
{
    static int n = 0;
    return n;
}

// Watches one window for its deferred deletion.
class DeletionGuard : public QObject {
public:
    explicit DeletionGuard(QWidget* window) : QObject(window), window_(window) { window->installEventFilter(this); }

    bool heldBack() const { return heldBack_; }

    // The waits are over: the window goes with the next turn of the event
    // loop, that is once the command that waited has returned to it. A
    // command that waits again meanwhile holds it back again.
    void release()
    {
        if (!heldBack_)
            return;
        heldBack_ = false;
        window_->setAttribute(Qt::WA_DeleteOnClose);
        QPointer<QWidget> window(window_);
        QPointer<DeletionGuard> self(this);
        QTimer::singleShot(0, QCoreApplication::instance(), [window, self] {
            if (!window || !self || self->heldBack_ || window->isVisible())
                return;   // gone, held again, or shown again (or its close refused)
            if (CommandWait::active()) {
                self->heldBack_ = true;
                return;
            }
            delete window.data();
        });
    }

    static std::vector<QPointer<DeletionGuard>>& all()
    {
        static std::vector<QPointer<DeletionGuard>> guards;
        return guards;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == window_ && CommandWait::active()) {
            if (event->type() == QEvent::Close) {
                // Closed under a waiting command: Qt is kept from deleting it;
                // release() decides once the waits are over.
                heldBack_ = true;
                window_->setAttribute(Qt::WA_DeleteOnClose, false);
            } else if (event->type() == QEvent::DeferredDelete) {
                heldBack_ = true;
                window_->hide();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* window_;
    bool heldBack_ = false;
};

DeletionGuard* guardOf(const QWidget* window)
{
    for (const QPointer<DeletionGuard>& g : DeletionGuard::all())
        if (g && g->parent() == window)
            return g.data();
    return nullptr;
}

// A deleted window's guard went with it.
void dropDeleted(std::vector<QPointer<DeletionGuard>>& guards)
{
    guards.erase(std::remove_if(guards.begin(), guards.end(),
                                [](const QPointer<DeletionGuard>& g) { return g.isNull(); }),
                 guards.end());
}

} // namespace

CommandWait::CommandWait() { ++waits(); }

CommandWait::~CommandWait()
{
    if (--waits() > 0)
        return;
    auto& guards = DeletionGuard::all();
    dropDeleted(guards);
    const std::vector<QPointer<DeletionGuard>> now = guards;
    for (const QPointer<DeletionGuard>& g : now)
        if (g)
            g->release();
}

bool CommandWait::active() { return waits() > 0; }

int execDialog(QDialog& dialog)
{
    const CommandWait wait;
    return dialog.exec();
}

void deleteOnClose(QWidget* window)
{
    if (!window)
        return;
    window->setAttribute(Qt::WA_DeleteOnClose);
    if (guardOf(window))
        return;
    auto& guards = DeletionGuard::all();
    dropDeleted(guards);
    guards.emplace_back(new DeletionGuard(window));
}

bool deletionHeldBack(const QWidget* window)
{
    const DeletionGuard* g = guardOf(window);
    return g && g->heldBack();
}

} // namespace platform
