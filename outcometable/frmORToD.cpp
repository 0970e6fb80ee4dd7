#include "outcometable/frmORToD.h"
#include "platform/WindowLife.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>

namespace quellin {

frmORToD::frmORToD(QWidget* owner) : calculators::frmORtoD(owner)
{
    setObjectName(QStringLiteral("frmORToD"));
    setWindowFlags(Qt::Dialog);
    setWindowModality(Qt::WindowModal);
    Frame1->setObjectName(QStringLiteral("FrCI"));
    Frame1->hide();
    txtORMinus95->setReadOnly(true);
    txtORPlus95->setReadOnly(true);
}

void frmORToD::chkConfidence_Click()
{
    for (const char* name : {"txtD", "txtDMinus95", "txtDPlus95"})
        if (auto* box = findChild<QLineEdit*>(QString::fromLatin1(name)))
            box->clear();
    const bool ticked = chkConfidence->isChecked();
    Frame1->setVisible(ticked);
    txtORMinus95->setReadOnly(!ticked);
    txtORPlus95->setReadOnly(!ticked);
    if (ticked) {
        txtORMinus95->setEnabled(true);
        txtORPlus95->setEnabled(true);
    }
    showLimitsOpen(ticked);
}

frmORToD* showORToD(QWidget* owner)
{
    auto* dialog = new frmORToD(owner);
    platform::deleteOnClose(dialog);
    dialog->show();
    return dialog;
}

} // namespace quellin
