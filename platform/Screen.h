#pragma once
// The part of the screen a window may take: the screen it opens on, less the
// desktop's panels. Tests install a handler that gives a screen of their own.
#include <QRect>
#include <functional>

class QWidget;

namespace platform {

QRect availableScreenArea(const QWidget* window);

using ScreenAreaHandler = std::function<QRect(const QWidget*)>;
void setScreenAreaHandler(ScreenAreaHandler handler);

} // namespace platform
