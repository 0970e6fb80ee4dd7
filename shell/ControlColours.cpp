#include "shell/ControlColours.h"

namespace shell::ControlColours {

void HighlightControl(QWidget*) {}
void RestoreControlColours(QWidget*) {}

} // namespace shell::ControlColours
