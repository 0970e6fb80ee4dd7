#include "metadb/frmExport.h"

#include "metadb/ExportControls.h"
#include "metadb/frmAccess.h"
#include "metadb/frmExcel.h"
#include "platform/WindowLife.h"

#include <QPushButton>

namespace metadb {

frmExport::frmExport(QWidget* owner) : QDialog(owner)
{
    using namespace exportui;
    fixedDialog(this, "frmExport", QStringLiteral("Export Options"), 4335, 1695);
    auto* excel = place(new QPushButton(QStringLiteral("Export .MET File To &Excel"), this), "cmdExcel", 240, 240,
                        3855, 495);
    auto* access = place(new QPushButton(QStringLiteral("Export .MET File To &Access"), this), "cmdAccess", 240,
                         900, 3855, 495);
    excel->setAutoDefault(false);
    access->setAutoDefault(false);
    setTabOrder(excel, access);
    connect(excel, &QPushButton::clicked, this, [this] { cmdExcel_Click(); });
    connect(access, &QPushButton::clicked, this, [this] { cmdAccess_Click(); });
}

void frmExport::cmdExcel_Click()
{
    frmExcel window(this);
    platform::execDialog(window);
}

void frmExport::cmdAccess_Click()
{
    frmAccess window(this);
    platform::execDialog(window);
}

void showExport(QWidget* owner)
{
    frmExport chooser(owner);
    platform::execDialog(chooser);
}

} // namespace metadb
