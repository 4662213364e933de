#pragma once
// Windows wholly on screen: the area a window may take is the screen its
// reference (the main window) is on, less the panels of the desktop.

#include <QRect>

class QWidget;

namespace velmar {

// The available area of the screen the widget is on, or of the primary
// screen when it is on none yet.
QRect AvailableAreaFor(const QWidget* widget);

// Moves a window, frame and title bar included, into the available area of
// the screen reference is on (its own when none is given). A window larger
// than that area is made as large as the area; where its content cannot
// shrink so far, the content scrolls in it from then on, and the window is
// sized to the content within the area unless sizeToContent is false.
void KeepInsideAvailableArea(QWidget* window, const QWidget* reference = nullptr, bool sizeToContent = true);

// Centres a dialog on the main window, halves rounded to even, then keeps
// it inside the available area.
void PositionFormToCenterOfMainForm(QWidget* dialog, const QWidget* mainWindow);

}  // namespace velmar
