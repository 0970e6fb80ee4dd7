#pragma once
// What the two f-squared windows share: their explanation box, their status
// bar and how a conversion is shown.
#include <QString>

class QLabel;
class QLineEdit;
class QWidget;

namespace calculators {

// The red explanation box Text1 on the button face.
void addExplanation(QWidget* window, const QString& text, int left, int top, int width, int height);
void addFSquaredStatusBar(QWidget* window);
// The label of a squared correlation: R², its subscript, "=".
void addR2Label(QWidget* window, const QString& name, const QString& subscript, int left, int top);
// A caption with sub- or superscripts (rich text) of the size of a box's
// label (720 x 330 twips), its scripts drawn large enough to read.
QLabel* addScriptCaption(QWidget* window, const QString& name, const QString& text, int left, int top);
// Runs one conversion: empties txtf2, then shows the message or the result.
// A run-time error is reported and leaves txtf2 empty.
template <class F>
void runConversion(QWidget* window, QLineEdit* txtf2, F convert);
void showFSquared(QWidget* window, QLineEdit* txtf2, const QString& message, const QString& f2);
void reportFSquaredError(QWidget* window, const QString& description);

} // namespace calculators

#include "calculators/CalculatorMath.h"
#include "platform/Errors.h"
#include <QLineEdit>

template <class F>
void calculators::runConversion(QWidget* window, QLineEdit* txtf2, F convert)
{
    txtf2->clear();
    try {
        const FSquaredOutcome out = convert();
        showFSquared(window, txtf2, out.message, out.f2);
    } catch (const platform::RuntimeError& e) {
        reportFSquaredError(window, e.description());
    }
}
