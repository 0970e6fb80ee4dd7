#pragma once
// How the main windows open the shell's windows.
class QWidget;

namespace shell {

// The simple calculator, modeless without owner (one per run, brought forward).
void showSimpleCalculator();
// The capture dialog, modeless without owner.
void showCaptureDialog();
// The About box, modal, owned by owner.
void showAbout(QWidget* owner);
// The Options dialog, modal, owned by owner.
void showOptions(QWidget* owner);

} // namespace shell
