#include "outcometable/frmChiTable.h"

#include "platform/Dialogs.h"
#include "platform/Errors.h"

#include <exception>

namespace quellin {

namespace {

calculators::CriticalTableKind quellinChiTableKind()
{
    calculators::CriticalTableKind kind = calculators::chiTableKind();
    kind.databaseFile = QStringLiteral("chi.mdb");
    return kind;
}

} // namespace

QString chiTableFailureText(const QString& where)
{
    return QStringLiteral("Sorry, something happened which stopped the table from being opened") +
           QStringLiteral(" (Table %1 Error). Please report this error to Varnholt support.").arg(where) +
           QStringLiteral(" In the meantime, this table can accessed from the Tarvoss 'Extra Stats'") +
           QStringLiteral(" tab using the Chi Square Option.");
}

frmChiTable::frmChiTable(QWidget* owner) : CriticalTableWindow(quellinChiTableKind(), owner) {}

void frmChiTable::Form_Load()
{
    try {
        CriticalTableWindow::Form_Load();
    } catch (const std::exception&) {
        platform::msgBox(chiTableFailureText(QStringLiteral("Show")), platform::MsgButtons::OK,
                         platform::MsgIcon::None, {}, this);
    }
}

void showChiTable(QWidget* owner)
{
    try {
        frmChiTable table(owner);
        calculators::showCriticalTable(table);   // its own load reports a failure and never raises
    } catch (const std::exception&) {
        platform::msgBox(chiTableFailureText(QStringLiteral("Click")), platform::MsgButtons::OK,
                         platform::MsgIcon::None, {}, owner);
    }
}

} // namespace quellin
