#pragma once
// The window that converts an odds ratio, and its 95 % limits, to d.
#include "calculators/OddsRatioWindow.h"

namespace calculators {

class frmORtoD : public OddsRatioWindow {
    Q_OBJECT
public:
    explicit frmORtoD(QWidget* parent = nullptr);
};

// Shows the window modeless without owner; an open one comes forward as it is.
frmORtoD* showORtoD();

} // namespace calculators
