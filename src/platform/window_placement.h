#pragma once

class QPoint;
class QRect;
class QSize;
class QWidget;

// Moves a top-level window so that its outer frame, title bar and borders
// included, is centred on the available area of its screen; the size stays
// as it is. Call it when the window is shown. Where the window manager tells
// the frame only once the window is on screen, the window is centred again
// as soon as the frame is known, unless it was moved meanwhile.
void centreOnScreen(QWidget* window);

// The top-left corner that centres a frame of size `outer` on `area`, in the
// same device-independent pixels. A frame larger than the area starts at its
// top-left corner, so that the title bar stays on the screen.
QPoint centredTopLeft(const QRect& area, const QSize& outer);
