#include "platform/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void centreOnScreen(QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QRect area = screen->availableGeometry();
    const QSize outer = window->frameGeometry().size();
    // Halves in single precision, as the window was always placed.
    const float left =
        (static_cast<float>(area.width()) - static_cast<float>(outer.width())) / 2.0f;
    const float top =
        (static_cast<float>(area.height()) - static_cast<float>(outer.height())) / 2.0f;
    // move() places the outer frame.
    window->move(area.left() + static_cast<int>(left), area.top() + static_cast<int>(top));
}
