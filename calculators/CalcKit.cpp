#include "calculators/CalcKit.h"

#include "frame/ErrorTexts.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace calculators::calckit {

QString Outcome::text(const QString& box, const QString& unchanged) const
{
    QString t = unchanged;
    for (const BoxWrite& w : writes)
        if (w.box == box)
            t = w.text;
    return t;
}

QString errorMessage(const platform::RuntimeError& e) { return meandiff::conversionErrorMessage(e); }

QLabel* label(QWidget* parent, const QString& text, int x, int y, int w, int h)
{
    QLabel* l = labelAt(parent, QString(), text, QRect(x, y, w, h));
    l->setWordWrap(true);
    return l;
}

QLabel* heading(QWidget* parent, const QString& text, int x, int y, int w, int h)
{
    QLabel* l = label(parent, text, x, y, w, h);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

QLineEdit* inputBox(QWidget* parent, const char* name, int x, int y, int w, const meandiff::KeyFilter* kind,
                    const QColor& textColour)
{
    QLineEdit* e = inputBoxAt(parent, QString::fromLatin1(name), QRect(x, y, w, 22), textColour);
    if (kind)
        meandiff::installKeyFilter(e, *kind);
    return e;
}

QLineEdit* resultBox(QWidget* parent, const char* name, int x, int y, int w, const QColor& textColour,
                     const meandiff::KeyFilter* kind)
{
    QLineEdit* e = resultBoxAt(parent, QString::fromLatin1(name), QRect(x, y, w, 22), textColour);
    if (kind)
        meandiff::installKeyFilter(e, *kind);
    return e;
}

QPlainTextEdit* noteBox(QWidget* parent, const char* name, const QString& text, int x, int y, int w, int h,
                        const QColor& textColour)
{
    auto* e = new QPlainTextEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setGeometry(x, y, w, h);
    setButtonFaceBackground(e);
    QPalette p = e->palette();
    p.setColor(QPalette::Text, textColour);
    e->setPalette(p);
    e->setFocusPolicy(Qt::ClickFocus);
    e->setPlainText(platform::reflowHardBreaks(text));
    return e;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, int x, int y, int w, int h)
{
    QPushButton* b = buttonAt(parent, QString::fromLatin1(name), caption, QRect(x, y, w, h));
    b->setAutoDefault(false);
    return b;
}

QLabel* formulaPicture(QWidget* parent, const char* name, const QString& formula, int x, int y, int w, int h)
{
    auto* l = new QLabel(parent);
    if (name)
        l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(x, y, w, h);
    l->setTextFormat(Qt::RichText);
    l->setText(formula);
    l->setAlignment(Qt::AlignCenter);
    l->setWordWrap(true);
    l->setFrameShape(QFrame::Box);
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, Qt::white);
    p.setColor(QPalette::WindowText, Qt::black);
    l->setPalette(p);
    return l;
}

void clearTextBoxes(QWidget* window)
{
    for (auto* e : window->findChildren<QLineEdit*>())
        e->setText(QString());
    for (auto* e : window->findChildren<QPlainTextEdit*>())
        e->setPlainText(QString());
}

QString boxText(QWidget* window, const QString& name)
{
    if (auto* e = window->findChild<QLineEdit*>(name))
        return e->text();
    if (auto* e = window->findChild<QPlainTextEdit*>(name))
        return e->toPlainText();
    return {};
}

void apply(QWidget* window, const Outcome& outcome)
{
    for (const BoxWrite& w : outcome.writes) {
        if (auto* e = window->findChild<QLineEdit*>(w.box))
            e->setText(w.text);
        else if (auto* p = window->findChild<QPlainTextEdit*>(w.box))
            p->setPlainText(w.text);
    }
    if (!outcome.message.isEmpty())
        platform::msgBox(outcome.message, platform::MsgButtons::OK, platform::MsgIcon::None, {}, window);
}

} // namespace calculators::calckit
