#include "calculators/FSquaredWindow.h"

#include "calculators/CalcControls.h"
#include "platform/Dialogs.h"
#include "shell/ControlColours.h"

#include <QLabel>
#include <QPlainTextEdit>

namespace calculators {

void addExplanation(QWidget* window, const QString& text, int left, int top, int width, int height)
{
    auto* t = new QPlainTextEdit(window);
    t->setObjectName(QStringLiteral("Text1"));
    t->setGeometry(px(left), px(top), px(width), px(height));
    t->setReadOnly(true);
    t->setFocusPolicy(Qt::ClickFocus);
    t->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    t->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    shell::ControlColours::SetBackColor(t, shell::ControlColours::ColourValue(t->palette().color(QPalette::Button)));
    shell::ControlColours::SetForeColor(t, shell::ControlColours::ColourValue(kResultRed));
    t->setPlainText(text);
}

void addFSquaredStatusBar(QWidget* window)
{
    addStatusBar(window, benchmarkCitation(), QStringLiteral("f Squared: 0.02 = small; 0.15 = medium; 0.35 = large"));
}

void addR2Label(QWidget* window, const QString& name, const QString& subscript, int left, int top)
{
    QLabel* l = addLabel(window, name, QStringLiteral("R<sup>2</sup><sub>%1</sub> =").arg(subscript), left, top, 720, 330);
    l->setTextFormat(Qt::RichText);
}

void showFSquared(QWidget* window, QLineEdit* txtf2, const QString& message, const QString& f2)
{
    if (!message.isEmpty())
        platform::msgBox(message, platform::MsgButtons::OK, platform::MsgIcon::None, {}, window);
    else
        txtf2->setText(f2);
}

void reportFSquaredError(QWidget* window, const QString& description)
{
    platform::msgBox(QStringLiteral("Something went very wrong and resulted in the following error\r\n") + description,
                     platform::MsgButtons::OK, platform::MsgIcon::None, {}, window);
}

} // namespace calculators
