#include "frame/KeyFilters.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QObject>

namespace frame {

namespace {

constexpr int KeyBackspace = 8;
constexpr int KeyMinus = 45;
constexpr int KeyPoint = 46;
constexpr int KeyQuote = 34;

bool isDigitKey(int key) { return key >= 48 && key <= 57; }

QLineEdit* editOf(QWidget* box)
{
    if (auto* le = qobject_cast<QLineEdit*>(box))
        return le;
    if (auto* cb = qobject_cast<QComboBox*>(box))
        return cb->lineEdit();
    return nullptr;
}

QString textOf(QWidget* box)
{
    if (auto* le = editOf(box))
        return le->text();
    if (auto* cb = qobject_cast<QComboBox*>(box))
        return cb->currentText();
    return {};
}

// Start of the selection, or the caret position when nothing is selected.
int selStart(QWidget* box)
{
    auto* le = editOf(box);
    if (!le)
        return 0;
    return le->hasSelectedText() ? le->selectionStart() : le->cursorPosition();
}

// The character code a key press types, or -1 for a key that types no
// character (arrows, Delete, Home, End, function keys, Tab, which moves the
// focus). Ctrl with a letter types the control character of that letter.
int typedCode(const QKeyEvent* e)
{
    const int key = e->key();
    const auto mods = e->modifiers();
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return -1;
    case Qt::Key_Backspace:
        return (mods & Qt::ControlModifier) ? 127 : KeyBackspace;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    default:
        break;
    }
    if ((mods & Qt::ControlModifier) && !(mods & (Qt::AltModifier | Qt::MetaModifier)) && key >= Qt::Key_A &&
        key <= Qt::Key_Z)
        return key - Qt::Key_A + 1;
    const QString text = e->text();
    if (text.isEmpty())
        return -1;
    return text.at(0).unicode();
}

class KeyFilterObject : public QObject {
public:
    KeyFilterObject(QWidget* box, KeyFilter kind) : QObject(box), box_(box), kind_(kind) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* e = static_cast<QKeyEvent*>(event);
        const int code = typedCode(e);
        if (code < 0)
            return false;
        // A key press that types several characters at once (an input
        // method) passes only when it holds nothing but digits, or, in a
        // free-text box, no double quote.
        const QString text = e->text();
        if (text.size() > 1) {
            for (QChar c : text) {
                const bool ok = kind_ == KeyFilter::NoQuote ? c.unicode() != KeyQuote : isDigitKey(c.unicode());
                if (!ok)
                    return true;
            }
            return false;
        }
        return filter(code) == 0;
    }

private:
    int filter(int code) const
    {
        switch (kind_) {
        case KeyFilter::Signed: return NumericCharsOnly(box_, code);
        case KeyFilter::Unsigned: return DecimalCharsOnly(box_, code);
        case KeyFilter::Digits: return DigitsOnly(code);
        case KeyFilter::NoQuote: return code == KeyQuote ? 0 : code;
        }
        return code;
    }

    QWidget* box_;
    KeyFilter kind_;
};

} // namespace

int NumericCharsOnly(QWidget* TB, int Key)
{
    if (Key == KeyPoint)
        return textOf(TB).contains(QLatin1Char('.')) ? 0 : Key;
    if (Key == KeyMinus)
        return (textOf(TB).contains(QLatin1Char('-')) || selStart(TB) > 0) ? 0 : Key;
    return (Key == KeyBackspace || isDigitKey(Key)) ? Key : 0;
}

int DecimalCharsOnly(QWidget* TB, int Key)
{
    int result = Key;
    if (Key != KeyPoint && Key != KeyBackspace && !isDigitKey(Key))
        result = 0;
    if (result == KeyPoint && textOf(TB).contains(QLatin1Char('.')))
        result = 0;
    return result;
}

int DigitsOnly(int Key) { return (Key == KeyBackspace || isDigitKey(Key)) ? Key : 0; }

void installKeyFilter(QWidget* box, KeyFilter kind)
{
    if (!box)
        return;
    auto* filter = new KeyFilterObject(box, kind);
    box->installEventFilter(filter);
    // An editable combo box passes its keys on to its line edit.
    if (auto* cb = qobject_cast<QComboBox*>(box); cb && cb->lineEdit())
        cb->lineEdit()->installEventFilter(filter);
}

} // namespace frame
