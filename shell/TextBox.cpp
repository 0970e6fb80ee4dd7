#include "shell/TextBox.h"
#include "platform/Dialogs.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QString>
#include <QTimer>
#include <memory>

namespace shell {

namespace {

const char* const kGuarded = "LongTextGuarded";
const char* const kNoticePending = "TooLongNoticePending";

void tellTooLong(QLineEdit* box)
{
    platform::msgBox(textTooLongMessage(boxLimit(box)), platform::MsgButtons::OK, platform::MsgIcon::Exclamation,
                     {}, box->window());
}

// Keys and input methods: the person hears of a refused text once the edit
// is over, once for however many keys.
void noticeRefused(QLineEdit* box)
{
    if (box->property(kNoticePending).toBool())
        return;
    box->setProperty(kNoticePending, true);
    QTimer::singleShot(0, box, [box] {
        box->setProperty(kNoticePending, false);
        tellTooLong(box);
    });
}

// The box holds its text without the `removed` characters and with the text
// added.
bool fitsWith(const QLineEdit* box, qsizetype removed, const QString& added)
{
    return characterCount(box->text()) - removed + characterCount(added) <= boxLimit(box);
}

// A key the box takes as typed text, as the box itself tells one: Control
// alone or with Shift makes a command, not text.
bool typesText(const QKeyEvent* key)
{
    const QString t = key->text();
    if (t.isEmpty())
        return false;
    const QChar c = t.at(0);
    if (c.category() == QChar::Other_Format)
        return true;
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::ControlModifier || mods == (Qt::ShiftModifier | Qt::ControlModifier))
        return false;
    return c.isPrint() || c.category() == QChar::Other_PrivateUse ||
           (c.isHighSurrogate() && t.size() > 1 && t.at(1).isLowSurrogate());
}

// The line box an event to the watched object is for: the box itself, or the
// line box of an editable combo box, which hands its keys and input-method
// text on to its line box.
QLineEdit* boxOf(QObject* watched)
{
    if (auto* box = qobject_cast<QLineEdit*>(watched))
        return box;
    if (auto* combo = qobject_cast<QComboBox*>(watched))
        return combo->lineEdit();
    return nullptr;
}

// Every way text comes into the box is checked before the box takes it: a
// text that does not fit is refused whole, with a message, instead of being
// cut by the box (which, besides, takes a long time to cut a long text).
class LongTextGuard : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        QLineEdit* box = boxOf(watched);
        if (!box || box->isReadOnly())
            return false;
        switch (event->type()) {
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->matches(QKeySequence::Paste)) {
                insertWhole(box, QApplication::clipboard()->text());
                return true;
            }
            if (typesText(key) && !fits(box, key->text())) {
                noticeRefused(box);
                return true;
            }
            return false;
        }
        case QEvent::InputMethod: {
            auto* im = static_cast<QInputMethodEvent*>(event);
            if (im->commitString().isEmpty())
                return false;
            const qsizetype replaced = characterCount(box->selectedText()) + qMax(0, im->replacementLength());
            if (fitsWith(box, replaced, im->commitString()))
                return false;
            // The text being composed goes, and nothing is committed.
            QInputMethodEvent nothing;
            QCoreApplication::sendEvent(box, &nothing);
            noticeRefused(box);
            return true;
        }
        case QEvent::MouseButtonRelease: {
            // The middle button inserts the selection (where there is one,
            // as on X11) at the cursor; the box's own selection stays.
            auto* mouse = static_cast<QMouseEvent*>(event);
            QClipboard* clipboard = QApplication::clipboard();
            if (watched != box || mouse->button() != Qt::MiddleButton || !clipboard->supportsSelection())
                return false;
            const QString text = clipboard->text(QClipboard::Selection);
            box->deselect();
            if (fitsWith(box, 0, text))
                box->insert(text);
            else
                tellTooLong(box);
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const QMimeData* data = drop->mimeData();
            // Text moved within the box itself keeps its length; text
            // copied within it is added like any other.
            const bool moved = drop->source() == box && drop->dropAction() == Qt::MoveAction;
            if (!data || !data->hasText() || moved || fitsWith(box, 0, data->text()))
                return false;
            drop->ignore();
            tellTooLong(box);
            return true;
        }
        case QEvent::ContextMenu: {
            if (watched != box)
                return false;
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

void guardEvents(QObject* object)
{
    if (object->property(kGuarded).toBool())
        return;
    object->setProperty(kGuarded, true);
    object->installEventFilter(&guard());
}

} // namespace

qsizetype characterCount(QStringView text)
{
    qsizetype pairs = 0;
    for (qsizetype i = 1; i < text.size(); ++i)
        if (text[i].isLowSurrogate() && text[i - 1].isHighSurrogate())
            ++pairs;
    return text.size() - pairs;
}

int boxLimit(const QLineEdit* box)
{
    if (!box)
        return 0;
    return box->property(kGuarded).toBool() ? kLongestBoxText : box->maxLength();
}

QString textTooLongMessage(int limit)
{
    return QStringLiteral("This box holds at most %1 characters, so the text was not taken in.").arg(limit);
}

bool fits(const QLineEdit* box, const QString& text)
{
    return fitsWith(box, characterCount(box->selectedText()), text);
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
    box->setMaxLength(kLineBoxUnits);
    guardEvents(box);
}

void keepWholeText(QComboBox* combo)
{
    if (!combo || !combo->lineEdit())
        return;
    keepWholeText(combo->lineEdit());
    guardEvents(combo);
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
