#include "shell/Resize.h"

namespace shell::Resize {

void ResizeFormControls(QWidget*) {}

} // namespace shell::Resize
