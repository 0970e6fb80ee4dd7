#pragma once
// Proportional window layout: called from a window's resize event.
class QWidget;

namespace shell::Resize {

void ResizeFormControls(QWidget* form);

} // namespace shell::Resize
