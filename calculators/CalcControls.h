#pragma once
// Building blocks of the calculator windows: controls placed in twips (15 to
// a pixel), the white input boxes, the button-face result boxes with red or
// blue text, the two-panel status bar, and the one-window-per-run showing.
#include "platform/WindowLife.h"
#include "shell/Twips.h"

#include <QColor>
#include <QPointer>
#include <QRect>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QWidget;

namespace calculators {

using shell::px;

inline const QColor kResultRed{255, 0, 0};
inline const QColor kResultBlue{0, 0, 255};

// The same controls placed in pixels (a control with an empty name stays
// unnamed). The boxes' text colour is given; an input box is white, a result
// box on the button face and out of the tab order.
QLabel* labelAt(QWidget* parent, const QString& name, const QString& text, const QRect& r);
QLineEdit* inputBoxAt(QWidget* parent, const QString& name, const QRect& r, const QColor& textColour = Qt::black);
QLineEdit* resultBoxAt(QWidget* parent, const QString& name, const QRect& r, const QColor& textColour);
QPushButton* buttonAt(QWidget* parent, const QString& name, const QString& text, const QRect& r);
QRadioButton* optionAt(QWidget* parent, const QString& name, const QString& text, const QRect& r);

QLabel* addLabel(QWidget* parent, const QString& name, const QString& text, int left, int top, int width,
                 int height = 255);
// A white input box.
QLineEdit* addInputBox(QWidget* parent, const QString& name, int left, int top, int width, int height = 285);
// A result box: button-face background, coloured text, out of the tab order.
QLineEdit* addResultBox(QWidget* parent, const QString& name, int left, int top, int width, int height = 285,
                        const QColor& textColour = kResultRed);
QPushButton* addButton(QWidget* parent, const QString& name, const QString& text, int left, int top, int width,
                       int height = 375);
QRadioButton* addOption(QWidget* parent, const QString& name, const QString& text, int left, int top, int width,
                        int height = 255);
// The status bar StatusBar1 at the foot of the window with its two panels.
QStatusBar* addStatusBar(QWidget* window, const QString& panel1, const QString& panel2);

// Sets the client area of a top-level window and keeps only its close box
// (and the minimise box when asked).
void setWindowFrame(QWidget* window, int widthTwips, int heightTwips, bool minimiseBox = false);
void centreOnScreen(QWidget* window);

// Text of a box whose background is the button face.
void setButtonFaceBackground(QWidget* box);

// Shows a modeless window without owner and brings it to the front.
void bringForward(QWidget* window);

// The program's one window of type W: the open one is brought forward with
// its contents, otherwise a new one is made that is deleted when it closes.
template <class W>
W* showSingle(QPointer<W>& slot)
{
    if (slot.isNull()) {
        slot = new W();
        platform::deleteOnClose(slot);
    }
    bringForward(slot.data());
    return slot.data();
}

// The citation of the conventional benchmarks of the effect sizes (Cohen, J.,
// Statistical power analysis for the behavioral sciences, 2nd ed., 1988).
QString benchmarkCitation();

} // namespace calculators
