#pragma once
// Quellin's chi-square critical-value table: the calculators' table window
// reading its own lookup database "chi.mdb". A database that cannot be read
// is reported and the window still opens with whatever it holds.
#include "calculators/frmCriticalTable.h"

namespace quellin {

class frmChiTable : public calculators::CriticalTableWindow {
    Q_OBJECT
public:
    explicit frmChiTable(QWidget* owner = nullptr);
    // Fills the list; a failure is reported here and the load ends normally.
    void Form_Load() override;
};

// The message of a table window that could not be opened ("Click") or could
// not read its database ("Show").
QString chiTableFailureText(const QString& where);

// Shows the table modal, owned by owner; a failure to create or show it is
// reported and the command ends.
void showChiTable(QWidget* owner);

} // namespace quellin
