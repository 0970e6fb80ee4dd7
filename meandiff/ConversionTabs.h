#pragma once
// The two effect-size conversion tabs of the Tarvoss main window. The main
// window makes the two tab pages; these fill them with their controls.
class QWidget;

namespace meandiff {

void installConversionTab1(QWidget* page);
void installConversionTab2(QWidget* page);

} // namespace meandiff
