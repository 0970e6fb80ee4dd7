#include "shell/TextBox.h"
#include "platform/Dialogs.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QString>
#include <QTimer>
#include <memory>

namespace shell {

namespace {

const char* const kGuarded = "LongTextGuarded";
const char* const kNoticePending = "TooLongNoticePending";

void tellTooLong(QLineEdit* box)
{
    platform::msgBox(textTooLongMessage(box->maxLength()), platform::MsgButtons::OK, platform::MsgIcon::Exclamation,
                     {}, box->window());
}

// The box's own editing refused text (a key typed into a full box): the
// person hears of it once the edit is over, once for however many keys.
void noticeRefused(QLineEdit* box)
{
    // A key a validator refused in a box that is not full is no matter of length.
    if (box->text().size() < box->maxLength() || box->property(kNoticePending).toBool())
        return;
    box->setProperty(kNoticePending, true);
    QTimer::singleShot(0, box, [box] {
        box->setProperty(kNoticePending, false);
        tellTooLong(box);
    });
}

// Pastes, drops and the context menu's Paste go through insertWhole: a text
// that does not fit is refused whole, with a message, instead of being cut by
// the box (which, besides, takes a long time to cut a long text).
class LongTextGuard : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* box = qobject_cast<QLineEdit*>(watched);
        if (!box || box->isReadOnly())
            return false;
        switch (event->type()) {
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
                insertWhole(box, QApplication::clipboard()->text());
                return true;
            }
            return false;
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const QMimeData* data = drop->mimeData();
            // Text moved within the box itself keeps its length.
            if (!data || !data->hasText() || drop->source() == box || fits(box, data->text()))
                return false;
            drop->ignore();
            tellTooLong(box);
            return true;
        }
        case QEvent::ContextMenu: {
            std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
            const QString paste = QCoreApplication::translate("QLineEdit", "&Paste");
            for (QAction* a : menu->actions())
                if (a->text().startsWith(paste)) {
                    QObject::disconnect(a, &QAction::triggered, box, nullptr);
                    QObject::connect(a, &QAction::triggered, box,
                                     [box] { insertWhole(box, QApplication::clipboard()->text()); });
                }
            menu->exec(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        }
        default:
            return false;
        }
    }
};

LongTextGuard& guard()
{
    // Lives as long as the application; made when the first box is.
    static auto* g = new LongTextGuard(QCoreApplication::instance());
    return *g;
}

} // namespace

QString textTooLongMessage(int limit)
{
    return QStringLiteral("This box holds at most %1 characters, so the text was not taken in.").arg(limit);
}

bool fits(const QLineEdit* box, const QString& text)
{
    const qsizetype kept = box->text().size() - box->selectedText().size();
    return kept + text.size() <= box->maxLength();
}

bool insertWhole(QLineEdit* box, const QString& text)
{
    if (!box)
        return false;
    if (!fits(box, text)) {
        tellTooLong(box);
        return false;
    }
    box->insert(text);
    return true;
}

void keepWholeText(QLineEdit* box)
{
    if (!box)
        return;
    box->setMaxLength(kLongestBoxText);
    if (box->property(kGuarded).toBool())
        return;
    box->setProperty(kGuarded, true);
    box->installEventFilter(&guard());
    QObject::connect(box, &QLineEdit::inputRejected, box, [box] { noticeRefused(box); });
}

void keepWholeText(QComboBox* combo)
{
    if (combo)
        keepWholeText(combo->lineEdit());
}

QLineEdit* newLineBox(QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    keepWholeText(box);
    return box;
}

QLineEdit* newLineBox(const QString& text, QWidget* parent)
{
    auto* box = newLineBox(parent);
    box->setText(text);
    return box;
}

} // namespace shell

