#include "calculators/CalcKit.h"

#include "frame/ErrorTexts.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "shell/ControlColours.h"

#include <QAbstractTextDocumentLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
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

QString errorMessage(const platform::RuntimeError& e) { return frame::conversionErrorMessage(e); }

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

QLineEdit* inputBox(QWidget* parent, const char* name, int x, int y, int w, const frame::KeyFilter* kind,
                    const QColor& textColour)
{
    QLineEdit* e = inputBoxAt(parent, QString::fromLatin1(name), QRect(x, y, w, 22), textColour);
    if (kind)
        frame::installKeyFilter(e, *kind);
    return e;
}

QLineEdit* resultBox(QWidget* parent, const char* name, int x, int y, int w, const QColor& textColour,
                     const frame::KeyFilter* kind)
{
    QLineEdit* e = resultBoxAt(parent, QString::fromLatin1(name), QRect(x, y, w, 22), textColour);
    if (kind)
        frame::installKeyFilter(e, *kind);
    return e;
}

QPlainTextEdit* noteBox(QWidget* parent, const char* name, const QString& text, int x, int y, int w, int h,
                        const QColor& textColour)
{
    auto* e = new QPlainTextEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setGeometry(x, y, w, h);
    setButtonFaceBackground(e);
    shell::ControlColours::SetForeColor(e, shell::ControlColours::ColourValue(textColour));
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

namespace {

// A formula whose square roots are drawn as one sign with one bar: the text
// under an overline is the root's radicand, and the "√" before it gives the
// sign its place. Rich text draws an overline piece by piece, each at the
// height of its own piece (a subscript's lower, through the letters), so the
// formula draws its roots itself: the bar runs at the top of the radicand's
// line, above every letter, sub- and superscript, from the sign to the end of
// the radicand.
class FormulaLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        drawFrame(&p);
        const QRect cr = contentsRect();
        prepare(cr.width());
        QTextDocument& doc = doc_;
        const QList<Root>& roots = roots_;

        const int top = cr.top() + int(std::max(0.0, (cr.height() - doc.size().height()) / 2));
        p.translate(cr.left(), top);
        QAbstractTextDocumentLayout::PaintContext context;
        context.palette = palette();
        context.palette.setColor(QPalette::Text, palette().color(QPalette::WindowText));
        doc.documentLayout()->draw(&p, context);

        p.setPen(QPen(palette().color(QPalette::WindowText), 1));
        p.setRenderHint(QPainter::Antialiasing);
        for (const Root& r : roots) {
            QTextLayout* layout = r.block.layout();
            const QPointF at = layout->position();
            const QTextLine line = layout->lineForTextPosition(r.sign);
            const QTextLine last = layout->lineForTextPosition(r.end);
            if (!line.isValid())
                continue;
            const double x0 = at.x() + line.cursorToX(r.sign);
            const double x1 = at.x() + line.cursorToX(r.sign + 1);
            // A radicand broken over lines gets its bar to the end of the
            // sign's line.
            const double xe = at.x() + (last.isValid() && last.lineNumber() == line.lineNumber()
                                            ? line.cursorToX(r.end)
                                            : line.x() + line.naturalTextWidth());
            // The bar a row clear of the line's top, which a raised
            // script may reach.
            const double bar = std::floor(at.y() + line.y()) - 1.5;
            const double base = at.y() + line.y() + line.ascent();
            const double w = x1 - x0;
            QPainterPath sign;
            sign.moveTo(x0 + 0.1 * w, base - 0.45 * (base - bar));
            sign.lineTo(x0 + 0.3 * w, base - 0.55 * (base - bar));
            sign.lineTo(x0 + 0.55 * w, base);
            sign.lineTo(x0 + 0.9 * w, bar);
            sign.lineTo(xe + 1, bar);
            p.drawPath(sign);
        }
    }

private:
    // Each root: the sign's character and the radicand's end, within
    // its block. The overline and the sign's own glyph are not drawn.
    struct Root {
        QTextBlock block;
        int sign;   // position of the sign in the block
        int end;    // position after the radicand in the block
    };

    // The formula as a document, with its roots' overlines and signs made
    // plain for paintEvent to draw them itself: made again only when the
    // text, the font or the width changed, not at every paint.
    void prepare(int width)
    {
        if (prepared_ && preparedText_ == text() && preparedFont_ == font() && preparedWidth_ == width)
            return;
        prepared_ = true;
        preparedText_ = text();
        preparedFont_ = font();
        preparedWidth_ = width;
        QTextDocument& doc = doc_;
        QList<Root>& roots = roots_;
        doc.setDefaultFont(font());
        doc.setDocumentMargin(0);
        doc.setHtml(text());
        doc.setTextWidth(width);
        QTextCursor all(&doc);
        all.select(QTextCursor::Document);
        QTextBlockFormat centred;
        centred.setAlignment(Qt::AlignHCenter);
        all.mergeBlockFormat(centred);
        setFormulaScripts(doc, font());

        roots.clear();
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
            const QString t = b.text();
            for (int i = 0; i < t.size(); ++i) {
                if (t.at(i) != QChar(0x221A))
                    continue;
                int end = i + 1;
                for (QTextBlock::iterator it = b.begin(); !it.atEnd(); ++it) {
                    const QTextFragment f = it.fragment();
                    const int from = f.position() - b.position();
                    if (from >= i + 1 && f.charFormat().fontOverline() && from <= end)
                        end = from + f.length();
                }
                if (end > i + 1)
                    roots.push_back({b, i, end});
            }
        }
        for (const Root& r : roots) {
            QTextCursor c(r.block);
            c.setPosition(r.block.position() + r.sign + 1);
            c.setPosition(r.block.position() + r.end, QTextCursor::KeepAnchor);
            QTextCharFormat plain;
            plain.setFontOverline(false);
            c.mergeCharFormat(plain);
            c.setPosition(r.block.position() + r.sign);
            c.setPosition(r.block.position() + r.sign + 1, QTextCursor::KeepAnchor);
            QTextCharFormat hidden;
            hidden.setForeground(Qt::transparent);
            c.mergeCharFormat(hidden);
        }
    }

    QTextDocument doc_;
    QList<Root> roots_;
    bool prepared_ = false;
    QString preparedText_;
    QFont preparedFont_;
    int preparedWidth_ = 0;
};

} // namespace

// Rich text draws a sub- or superscript at two thirds of the whole
// points of its own size: 5 points, a few pixels high, under a window's
// caption font. The formula gives its scripts the size that comes out
// at about the share asked of the formula's own.
void setFormulaScripts(QTextDocument& doc, const QFont& font, double share)
{
    QList<std::pair<int, int>> scripts;   // position, length
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (QTextBlock::iterator it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            const QTextCharFormat::VerticalAlignment v = f.charFormat().verticalAlignment();
            if (v == QTextCharFormat::AlignSubScript || v == QTextCharFormat::AlignSuperScript)
                scripts.push_back({f.position(), f.length()});
        }
    const qreal size = font.pointSizeF() > 0 ? font.pointSizeF() : QFontInfo(font).pointSizeF();
    QTextCharFormat scriptSize;
    scriptSize.setFontPointSize(qRound(size * share * 3 / 2));
    for (const auto& [from, length] : scripts) {
        QTextCursor c(&doc);
        c.setPosition(from);
        c.setPosition(from + length, QTextCursor::KeepAnchor);
        c.mergeCharFormat(scriptSize);
    }
}

QLabel* formulaPicture(QWidget* parent, const char* name, const QString& formula, int x, int y, int w, int h)
{
    auto* l = new FormulaLabel(parent);
    if (name)
        l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(x, y, w, h);
    l->setTextFormat(Qt::RichText);
    l->setText(formula);
    // A formula is set a size larger than the window's captions, so that
    // its sub- and superscripts can be read.
    QFont larger = l->font();
    if (larger.pointSizeF() > 0) {
        larger.setPointSizeF(larger.pointSizeF() * 1.2);
        l->setFont(larger);
    }
    l->setAlignment(Qt::AlignCenter);
    l->setWordWrap(true);
    l->setFrameShape(QFrame::Box);
    l->setAutoFillBackground(true);
    shell::ControlColours::SetBackColor(l, shell::ControlColours::ColourValue(Qt::white));
    shell::ControlColours::SetForeColor(l, shell::ControlColours::ColourValue(Qt::black));
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
