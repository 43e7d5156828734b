#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Keeps windows reachable on small or scaled screens: a window's title bar, which the user
// needs to move or close it, always lies on the screen's available area.

// The top-left corner for a frame of `frame` size centred on `centre`, moved onto `available`:
// wholly inside it where the frame fits, otherwise against its left or top edge, so that the
// title bar and the window's left-hand controls stay on the screen.
QPoint PlacedTopLeft(QPoint centre, QSize frame, const QRect& available);

// The largest size of `window`'s client area whose frame fits `available`, for a frame with
// these margins; never above `wanted`.
QSize FittedSize(QSize wanted, const QMargins& frame, const QRect& available);

// Moves a top-level window so that it is centred over `over` (global coordinates) and its title
// bar lies on the available area of the screen under that centre. `shownWindow`, when given,
// lends its frame margins to a window that has not been shown yet and so has no frame.
void PlaceWindow(QWidget& window, const QRect& over, const QWidget* shownWindow = nullptr);

// Shrinks a top-level window, never below its minimum size, so that its frame fits the
// available area of its screen, or of the screen of `shownWindow` when given.
void FitWindowToScreen(QWidget& window, const QWidget* shownWindow = nullptr);
