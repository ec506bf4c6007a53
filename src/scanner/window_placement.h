#pragma once
// Where a top-level window opens and stays: inside the screen's available
// area, never larger than it. Shared by the main window and the scanner window.
class QLayoutItem;
class QWidget;

namespace korvane {

// Centres the window over `over` (or the screen), then keeps it inside.
void PlaceInsideScreen(QWidget& window, const QWidget* over = nullptr);

// Shrinks the window to the available area (never below its minimum size)
// and moves it back inside where it reaches out. Works before and after the
// window manager has framed the window; call it again once the frame is known.
void KeepInsideScreen(QWidget& window);

// Drops every size a layout and its nested layouts remember, so the next
// size hint measures the captions as they are now.
void ForgetCachedSizes(QLayoutItem& item);

}  // namespace korvane
