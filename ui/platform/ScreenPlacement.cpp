#include "ui/platform/ScreenPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace {

// One axis: the frame's start so that it is centred on `centre` and inside [low, low + room),
// or at `low` when it is longer than the room.
int Placed(int centre, int length, int low, int room) {
  const int start = centre - length / 2;
  if (length >= room) return low;
  return std::clamp(start, low, low + room - length);
}

// The frame margins of a window that has been shown, else those of `shownWindow`.
QMargins FrameMargins(const QWidget& window, const QWidget* shownWindow) {
  const auto margins = [](const QWidget& w) {
    const QRect frame = w.frameGeometry();
    const QRect client = w.geometry();
    return QMargins(client.left() - frame.left(), client.top() - frame.top(),
                    frame.right() - client.right(), frame.bottom() - client.bottom());
  };
  const QMargins own = margins(window);
  if (!own.isNull() || shownWindow == nullptr) return own;
  return margins(*shownWindow);
}

QRect AvailableAt(QPoint point, const QWidget& window) {
  const QScreen* screen = QGuiApplication::screenAt(point);
  if (screen == nullptr) screen = window.screen();
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->availableGeometry() : QRect();
}

}  // namespace

QPoint PlacedTopLeft(QPoint centre, QSize frame, const QRect& available) {
  return {Placed(centre.x(), frame.width(), available.left(), available.width()),
          Placed(centre.y(), frame.height(), available.top(), available.height())};
}

QSize FittedSize(QSize wanted, const QMargins& frame, const QRect& available) {
  const QSize room = available.size().shrunkBy(frame);
  return wanted.boundedTo(room.expandedTo(QSize(0, 0)));
}

void PlaceWindow(QWidget& window, const QRect& over, const QWidget* shownWindow) {
  const QRect available = AvailableAt(over.center(), window);
  if (available.isEmpty()) return;
  const QMargins margins = FrameMargins(window, shownWindow);
  const QSize frame = window.size().grownBy(margins);
  // move() places the frame's top-left corner.
  window.move(PlacedTopLeft(over.center(), frame, available));
}

void FitWindowToScreen(QWidget& window, const QWidget* shownWindow) {
  // A window not shown yet has no place of its own; it will open beside the shown one.
  const QRect available = AvailableAt(
      (shownWindow != nullptr ? shownWindow : &window)->frameGeometry().center(), window);
  if (available.isEmpty()) return;
  const QSize fitted = FittedSize(window.size(), FrameMargins(window, shownWindow), available);
  window.resize(fitted.expandedTo(window.minimumSize()));
}
