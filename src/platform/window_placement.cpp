#include "platform/window_placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPoint>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace {

// What the frame adds to the window's own size: nothing until the window
// manager has told it.
QSize frameExtra(const QWidget* window) {
    return window->frameGeometry().size() - window->size();
}

// Centres a window now and again when its frame becomes known. Many X11
// window managers frame a window only after it is mapped, so the frame is
// unknown when the window is first shown; the window would otherwise end up
// off centre by half its title bar.
class FrameCentring final : public QObject {
public:
    explicit FrameCentring(QWidget* window)
        : QObject(window)
        , m_window(window) {
        window->installEventFilter(this);
        // The frame is there by the time the window is exposed, often
        // without any move or resize of the window itself.
        if (QWindow* handle = window->windowHandle())
            handle->installEventFilter(this);
    }

    void centre() {
        const QScreen* screen =
            m_window->screen() ? m_window->screen() : QGuiApplication::primaryScreen();
        if (screen == nullptr)
            return;
        m_extra = frameExtra(m_window);
        // Logical pixels throughout: the screen's device-pixel ratio applies
        // to the area and to the frame alike.
        m_target = centredTopLeft(screen->availableGeometry(), m_window->frameGeometry().size());
        // move() places the outer frame.
        m_window->move(m_target);
        // With the frame known, there is nothing left to wait for.
        if (!m_extra.isNull())
            m_done = true;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (m_done)
            return false;
        switch (event->type()) {
        case QEvent::Expose:
            if (frameExtra(m_window) != m_extra)
                centre();
            break;
        case QEvent::Move:
        case QEvent::Resize:
            if (frameExtra(m_window) != m_extra)
                centre();
            else if (event->type() == QEvent::Move &&
                     m_window->frameGeometry().topLeft() != m_target)
                m_done = true; // moved by the user or placed by the window manager: leave it
            break;
        case QEvent::Hide:
            if (watched == m_window)
                m_done = true;
            break;
        default:
            break;
        }
        return false;
    }

private:
    QWidget* m_window;
    QSize m_extra;
    QPoint m_target;
    bool m_done = false;
};

} // namespace

QPoint centredTopLeft(const QRect& area, const QSize& outer) {
    // Halves in single precision, as the window was always placed.
    const float left =
        (static_cast<float>(area.width()) - static_cast<float>(outer.width())) / 2.0f;
    const float top =
        (static_cast<float>(area.height()) - static_cast<float>(outer.height())) / 2.0f;
    return {area.left() + std::max(0, static_cast<int>(left)),
            area.top() + std::max(0, static_cast<int>(top))};
}

void centreOnScreen(QWidget* window) {
    // One follower per window: a window shown again starts afresh.
    const QObjectList children = window->children();
    for (QObject* child : children)
        if (dynamic_cast<FrameCentring*>(child))
            delete child;
    (new FrameCentring(window))->centre();
}
