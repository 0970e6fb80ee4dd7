#include "shell/ShellWindows.h"

#include "platform/WindowLife.h"
#include "shell/frmAbout.h"
#include "shell/frmPrint.h"
#include "shell/frmSCalc.h"

#include <QPointer>

namespace shell {

namespace {

// Shows a modeless window of which the program has at most one open: the open
// one is brought forward, otherwise a new one is made that goes when closed.
template <class W>
void showSingle(QPointer<W>& slot)
{
    if (!slot) {
        slot = new W();
        platform::deleteOnClose(slot);
    }
    slot->show();
    slot->raise();
    slot->activateWindow();
}

} // namespace

void showSimpleCalculator()
{
    static QPointer<frmSCalc> calc;
    showSingle(calc);
}

void showCaptureDialog()
{
    static QPointer<frmPrint> dialog;
    showSingle(dialog);
}

void showAbout(QWidget* owner)
{
    frmAbout about(owner);
    platform::execDialog(about);
}

} // namespace shell
