#include "main_window/work_status_bar.h"

#include "playlist/long_work.h"

#include <QLabel>
#include <QLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>

#include <algorithm>
#include <limits>

WorkStatusBar::WorkStatusBar(QWidget* parent)
    : QStatusBar(parent) {
    setObjectName(QStringLiteral("workStatusBar"));
    setSizeGripEnabled(false);
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("workStatusText"));
    m_text->setTextFormat(Qt::PlainText);
    // A long folder path is shortened in the middle rather than widening
    // the window.
    m_text->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("workProgress"));
    m_progress->setMaximumWidth(160);
    m_cancel = new QPushButton(tr("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("cancelWorkButton"));
    addWidget(m_text, 1);
    addPermanentWidget(m_progress);
    addPermanentWidget(m_cancel);
    connect(m_cancel, &QPushButton::clicked, this, &WorkStatusBar::cancelCurrent);

    m_escape = new QShortcut(QKeySequence(Qt::Key_Escape), parent ? parent : this);
    m_escape->setObjectName(QStringLiteral("cancelWorkShortcut"));
    m_escape->setContext(Qt::WindowShortcut);
    m_escape->setEnabled(false);
    connect(m_escape, &QShortcut::activated, this, &WorkStatusBar::cancelCurrent);

    m_delay.setSingleShot(true);
    connect(&m_delay, &QTimer::timeout, this, &WorkStatusBar::refresh);
    hide();
}

void WorkStatusBar::watch(LongWork* work) {
    if (!work || work->isFinished())
        return;
    Watched watched{work, {}};
    watched.since.start();
    m_works.append(watched);
    connect(work, &LongWork::progressChanged, this, [this, work] {
        // A work that has stopped still tells its last figures while its
        // closing message is open.
        const LongWork* current = currentWork();
        if (isVisible() && (work == current || !current))
            showText(work);
    });
    connect(work, &LongWork::finished, this, [this, work] { forget(work); });
    connect(work, &QObject::destroyed, this, [this, work] { forget(work); });
    refresh();
}

LongWork* WorkStatusBar::currentWork() const {
    for (auto it = m_works.crbegin(); it != m_works.crend(); ++it)
        if (it->work && !it->work->isFinished())
            return it->work;
    return nullptr;
}

void WorkStatusBar::forget(LongWork* work) {
    m_works.removeIf([work](const Watched& watched) {
        return !watched.work || watched.work == work || watched.work->isFinished();
    });
    refresh();
}

void WorkStatusBar::refresh() {
    m_escape->setEnabled(currentWork() != nullptr);
    if (!currentWork()) {
        m_delay.stop();
        disappear();
        return;
    }
    if (!isVisible()) {
        // Shown once the oldest running work has lasted a moment.
        qint64 oldest = 0;
        for (const Watched& watched : std::as_const(m_works))
            oldest = std::max(oldest, watched.since.elapsed());
        const qint64 left = kShowAfter.count() - oldest;
        if (left > 0) {
            m_delay.start(static_cast<int>(left));
            return;
        }
        appear();
    }
    showText(currentWork());
}

void WorkStatusBar::showText(const LongWork* work) {
    m_cancel->setEnabled(currentWork() != nullptr);
    if (!work)
        return;
    m_fullText = work->statusText();
    m_text->setText(m_text->fontMetrics().elidedText(m_fullText, Qt::ElideMiddle,
                                                     std::max(0, m_text->width())));
    m_text->setToolTip(m_fullText);
    const qint64 total = work->progressTotal();
    m_progress->setVisible(total > 0);
    if (total > 0) {
        // The bar counts in int: very large amounts are scaled down.
        const qint64 scale = total / std::numeric_limits<int>::max() + 1;
        m_progress->setRange(0, static_cast<int>(total / scale));
        m_progress->setValue(
            static_cast<int>(std::clamp<qint64>(work->progressDone(), 0, total) / scale));
    }
}

void WorkStatusBar::appear() {
    m_windowBefore = window() != this ? window()->size() : QSize();
    show();
}

void WorkStatusBar::disappear() {
    if (isHidden())
        return;
    const int barHeight = height();
    hide();
    // A window the bar made taller at its smallest goes back to its size,
    // unless the user has resized it meanwhile.
    QWidget* top = window();
    if (top == this || !m_windowBefore.isValid() || top->isMaximized() || top->isFullScreen())
        return;
    const QSize now = top->size();
    if (now.width() == m_windowBefore.width() && now.height() > m_windowBefore.height() &&
        now.height() <= m_windowBefore.height() + barHeight) {
        // The smallest size drops only once the layout has heard of it.
        if (top->layout())
            top->layout()->activate();
        top->resize(m_windowBefore);
    }
}

void WorkStatusBar::resizeEvent(QResizeEvent* event) {
    QStatusBar::resizeEvent(event);
    if (isVisible())
        showText(currentWork());
}

void WorkStatusBar::cancelCurrent() {
    if (LongWork* work = currentWork())
        work->cancel();
}
