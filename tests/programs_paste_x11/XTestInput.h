#pragma once
// Presses mouse buttons through the X server's test extension, as a person's
// mouse does: the program gets the events from the server like any other.
// (Kept apart from the tests: Xlib's headers define names such as None and
// Bool.)
class QPoint;

namespace pastex11 {

// The X server's test extension is there.
bool haveXTest();
// Moves the pointer to the point (global, in device pixels) and clicks the
// button (1 left, 2 middle, 3 right) there.
void clickAt(const QPoint& global, unsigned button);

} // namespace pastex11
