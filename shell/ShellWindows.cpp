#include "shell/ShellWindows.h"

namespace shell {

void showSimpleCalculator() {}
void showCaptureDialog() {}
void showAbout(QWidget*) {}

} // namespace shell
