#pragma once
// The window that converts d, and its 95 % limits, to an odds ratio.
#include "calculators/OddsRatioWindow.h"

namespace calculators {

class frmDtoOR : public OddsRatioWindow {
    Q_OBJECT
public:
    explicit frmDtoOR(QWidget* parent = nullptr);

    // The signed-decimal key filter of the window's three input boxes.
    static int NumericCharsOnly(QWidget* TB, int Key) { return frame::NumericCharsOnly(TB, Key); }
};

// Shows the window modeless without owner; an open one comes forward as it is.
frmDtoOR* showDtoOR();

} // namespace calculators
