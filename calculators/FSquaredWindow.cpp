#include "calculators/FSquaredWindow.h"

#include "calculators/CalcControls.h"
#include "calculators/CalcKit.h"
#include "platform/Dialogs.h"
#include "shell/ControlColours.h"

#include <QAbstractTextDocumentLayout>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTextDocument>

#include <cmath>

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

namespace {

// A caption whose sub- and superscripts are drawn at most of its letters'
// size, where rich text would draw them at two thirds of it: a few pixels
// in a caption's font.
class ScriptCaption : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QTextDocument doc;
        doc.setDefaultFont(font());
        doc.setDocumentMargin(0);
        doc.setHtml(text());
        calckit::setFormulaScripts(doc, font(), 0.85);
        const QSize size(int(std::ceil(doc.idealWidth())), int(std::ceil(doc.size().height())));
        const QRect r = QStyle::alignedRect(layoutDirection(), alignment(), size, contentsRect());
        QPainter p(this);
        p.translate(r.topLeft());
        QAbstractTextDocumentLayout::PaintContext context;
        context.palette = palette();
        context.palette.setColor(QPalette::Text, palette().color(foregroundRole()));
        doc.documentLayout()->draw(&p, context);
    }
};

} // namespace

QLabel* addScriptCaption(QWidget* window, const QString& name, const QString& text, int left, int top)
{
    auto* l = new ScriptCaption(text, window);
    l->setObjectName(name);
    l->setTextFormat(Qt::RichText);
    l->setGeometry(px(left), px(top), px(720), px(330));
    return l;
}

void addR2Label(QWidget* window, const QString& name, const QString& subscript, int left, int top)
{
    addScriptCaption(window, name, QStringLiteral("R<sup>2</sup><sub>%1</sub> =").arg(subscript), left, top);
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
