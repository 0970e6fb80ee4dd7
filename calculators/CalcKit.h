#pragma once
// Building blocks of the comparison and significance calculators: how their
// computations hand results to a window, and the controls of their windows
// (white input boxes, button-face result boxes with red or blue text).
#include "calculators/CalcControls.h"
#include "frame/KeyFilters.h"

#include <QColor>
#include <QList>
#include <QPointer>
#include <QPushButton>
#include <QString>

class QFont;
class QLabel;
class QTextDocument;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace platform {
class RuntimeError;
}

namespace calculators::calckit {

// What one press of a compute button does to its window: the texts it writes
// into boxes, in the order it writes them, and the message it shows last
// (empty: none). A computation that stops on an error keeps the writes made
// before the error.
struct BoxWrite {
    QString box;
    QString text;
};

struct Outcome {
    QList<BoxWrite> writes;
    QString message;

    void set(const QString& box, const QString& text) { writes.push_back({box, text}); }
    // The text the box holds after the writes; `unchanged` when none wrote it.
    QString text(const QString& box, const QString& unchanged = QStringLiteral("<unchanged>")) const;
};

// The message of a computation stopped by a run-time error.
QString errorMessage(const platform::RuntimeError& e);

inline const QColor& Red = kResultRed;
inline const QColor& Blue = kResultBlue;

QLabel* label(QWidget* parent, const QString& text, int x, int y, int w, int h = 20);
QLabel* heading(QWidget* parent, const QString& text, int x, int y, int w, int h = 20);
// A white input box, with the key filter unless kind is null.
QLineEdit* inputBox(QWidget* parent, const char* name, int x, int y, int w, const frame::KeyFilter* kind,
                    const QColor& textColour = Qt::black);
// A result box on the button-face colour, out of the tab order.
QLineEdit* resultBox(QWidget* parent, const char* name, int x, int y, int w, const QColor& textColour,
                     const frame::KeyFilter* kind = nullptr);
// A multi-line explanatory or working box on the button-face colour.
QPlainTextEdit* noteBox(QWidget* parent, const char* name, const QString& text, int x, int y, int w, int h,
                        const QColor& textColour = Qt::black);
QPushButton* button(QWidget* parent, const char* name, const QString& caption, int x, int y, int w, int h = 28);
// A framed picture of a formula (rich text, centred) named `name` when it is
// not null. A square root is written "&radic;" followed by its radicand in a
// span with an overline; the picture draws the sign and one bar over the
// whole radicand.
QLabel* formulaPicture(QWidget* parent, const char* name, const QString& formula, int x, int y, int w, int h);
// The sub- and superscripts of a formula's document (rich text) set at the
// size a formula picture in `font` draws them: about `share` of the font's
// size.
void setFormulaScripts(QTextDocument& doc, const QFont& font, double share = 0.75);

// Sets every text box of the window (single and multi-line) to "".
void clearTextBoxes(QWidget* window);
// Reads the text of the named box of the window ("" when there is none).
QString boxText(QWidget* window, const QString& name);
// Writes the outcome's texts into the window's boxes, then shows its message.
void apply(QWidget* window, const Outcome& outcome);

// The buttons "Do It!", "Start Again" and "Exit" one under the other, wired
// to the window's cmdDoIt_Click, cmdClear_Click and cmdExit_Click.
template <class W>
void doItButtons(W* w, int x, int y)
{
    auto* doIt = button(w, "cmdDoIt", QStringLiteral("Do It!"), x, y, 180, 32);
    auto* clear = button(w, "cmdClear", QStringLiteral("Start Again"), x, y + 42, 180, 32);
    auto* exitButton = button(w, "cmdExit", QStringLiteral("Exit"), x, y + 84, 180, 32);
    QObject::connect(doIt, &QPushButton::clicked, w, [w] { w->cmdDoIt_Click(); });
    QObject::connect(clear, &QPushButton::clicked, w, [w] { w->cmdClear_Click(); });
    QObject::connect(exitButton, &QPushButton::clicked, w, [w] { w->cmdExit_Click(); });
}

// One window per kind, as for every calculator.
using calculators::showSingle;

} // namespace calculators::calckit
