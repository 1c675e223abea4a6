#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QPointer>
#include <QStatusBar>
#include <QTimer>

#include <chrono>

class LongWork;
class QLabel;
class QProgressBar;
class QPushButton;
class QShortcut;

// The bar at the bottom of the main window that shows long work while it
// runs: what it is doing, a progress bar when it knows how much there is,
// and Cancel (Esc does the same). Hidden while nothing runs, so the window
// keeps its size and look; it appears only once a work has run longer than
// a moment, so short work never makes it flicker. Several works may run at
// once: it shows the latest still running and, when that ends, the next.
class WorkStatusBar final : public QStatusBar {
    Q_OBJECT

public:
    // Esc works anywhere in `window` (the bar's parent when not given).
    explicit WorkStatusBar(QWidget* parent = nullptr);

    // Shows `work` from about kShowAfter on until it finishes.
    void watch(LongWork* work);
    // The work Cancel and Esc stop now: the latest still running.
    LongWork* currentWork() const;

    static constexpr std::chrono::milliseconds kShowAfter{300};

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Watched {
        QPointer<LongWork> work;
        QElapsedTimer since;
    };

    void forget(LongWork* work);
    void refresh();
    void showText(const LongWork* work);
    void cancelCurrent();
    void appear();
    void disappear();

    QList<Watched> m_works; // in the order they started
    QTimer m_delay;
    QLabel* m_text = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_cancel = nullptr;
    QShortcut* m_escape = nullptr;
    QString m_fullText;
    // The window's size before the bar made it grow, to return to after.
    QSize m_windowBefore;
};
