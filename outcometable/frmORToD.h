#pragma once
// Quellin's odds-ratio-to-d dialog: the calculators' conversion window,
// shown modal over the main window, whose confidence-interval frame is shown
// only while its check box is ticked.
#include "calculators/frmORtoD.h"

namespace quellin {

class frmORToD : public calculators::frmORtoD {
    Q_OBJECT
public:
    explicit frmORToD(QWidget* owner = nullptr);
    // Empties the three d boxes; ticked: the interval frame shows and its two
    // boxes take typing; unticked: the frame hides and the boxes are locked.
    void chkConfidence_Click() override;
};

// Shows a new dialog modal over owner; it is deleted when it closes.
frmORToD* showORToD(QWidget* owner);

} // namespace quellin
