#include "scanner/window_placement.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace korvane {

namespace {

const QScreen* ScreenOf(const QWidget& window) {
    return window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
}

// Border and title bar; zero until the window manager has framed the window.
QSize FrameExtra(const QWidget& window) {
    return window.frameGeometry().size() - window.geometry().size();
}

}  // namespace

void PlaceInsideScreen(QWidget& window, const QWidget* over) {
    const QScreen* screen = ScreenOf(window);
    if (screen == nullptr) return;
    KeepInsideScreen(window);
    QRect frame(QPoint(), window.size() + FrameExtra(window));
    const bool overVisible = over != nullptr && over->isVisible();
    frame.moveCenter(overVisible ? over->frameGeometry().center() : screen->availableGeometry().center());
    // move() places the frame's top left corner of a top-level window.
    window.move(frame.topLeft());
    KeepInsideScreen(window);
}

void KeepInsideScreen(QWidget& window) {
    const QScreen* screen = ScreenOf(window);
    if (screen == nullptr) return;
    const QRect available = screen->availableGeometry();
    const QSize frameExtra = FrameExtra(window);
    const QSize size =
        window.size().boundedTo(available.size() - frameExtra).expandedTo(window.minimumSize());
    if (size != window.size()) window.resize(size);
    const QRect frame(window.frameGeometry().topLeft(), size + frameExtra);
    const int x = std::max(available.left(), std::min(frame.left(), available.right() + 1 - frame.width()));
    const int y = std::max(available.top(), std::min(frame.top(), available.bottom() + 1 - frame.height()));
    if (QPoint(x, y) != frame.topLeft()) window.move(x, y);
}

void ForgetCachedSizes(QLayoutItem& item) {
    item.invalidate();
    if (QLayout* layout = item.layout()) {
        for (int i = 0; i < layout->count(); ++i) ForgetCachedSizes(*layout->itemAt(i));
    }
}

}  // namespace korvane
