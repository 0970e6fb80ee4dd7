#pragma once
// The two effect-size conversion tabs of the Tarvoss main window. The main
// window makes the two tab pages; these fill them with their controls.
class QWidget;

namespace meandiff {

void installConversionTab1(QWidget* page);
void installConversionTab2(QWidget* page);

// Sets the raised and lowered letters of the second tab's "f² to R²A" option
// against the letters of its caption. The option's indicator keeps its size
// while the caption's font follows the window, so the places a layout scaled
// by the window's size gives them do not hold: the window calls this after
// each layout.
void placeScriptCaption(QWidget* page);

} // namespace meandiff
