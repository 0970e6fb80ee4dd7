#pragma once
// Focus colours: the focused study-detail box shows red with white text.
class QWidget;

namespace shell::ControlColours {

void HighlightControl(QWidget* control);
void RestoreControlColours(QWidget* control);

} // namespace shell::ControlColours
