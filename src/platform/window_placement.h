#pragma once

class QWidget;

// Moves a top-level window so that its outer frame, title bar and borders
// included, is centred on the available area of its screen. Call it once
// the window is shown, when the frame is known; the size stays as it is.
void centreOnScreen(QWidget* window);
