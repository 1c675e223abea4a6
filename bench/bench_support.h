#pragma once

// What every benchmark needs the same way: wall and CPU time, the rounds'
// best and median, the peak memory of the process, dialogs that answer
// themselves, and how long the event loop went without a turn.

#include "platform/dialogs.h"

#include <QList>
#include <QObject>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sys/resource.h>
#include <time.h>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double millisecondsSince(Clock::time_point start, Clock::time_point end = Clock::now()) {
    return std::chrono::duration<double, std::milli>(end - start).count();
}

// User plus system time of RUSAGE_SELF, or of RUSAGE_CHILDREN (the reference
// tools, once they have been waited for).
inline double cpuMs(int who) {
    rusage usage{};
    ::getrusage(who, &usage);
    const auto ms = [](const timeval& t) {
        return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

inline double threadCpuMs() {
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// ru_maxrss is in kilobytes on Linux.
inline double peakMemoryMb() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// The times of several rounds: the best shows the cost of the work, the
// median what a user may expect. Wall time is what the user waits; CPU time
// is what the work costs, and holds steady when other programs share the
// machine.
struct Samples {
    QList<double> ms;
    QList<double> cpu;

    void add(double wallMs, double cpuMs) {
        ms.append(wallMs);
        cpu.append(cpuMs);
    }
    double bestMs() const { return *std::min_element(ms.begin(), ms.end()); }
    double bestCpuMs() const { return *std::min_element(cpu.begin(), cpu.end()); }
    double medianMs() const {
        QList<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() / 2];
    }
};

// No one is there to answer: every message is printed, counted and given
// the same answer; file dialogs are cancelled.
class PrintedDialogs final : public Dialogs {
public:
    explicit PrintedDialogs(MessageAnswer answer = MessageAnswer::Ok)
        : m_answer(answer) {}

    MessageAnswer showMessage(const MessageRequest& request) override {
        ++shown;
        std::fprintf(stderr, "message: %s\n", qPrintable(request.text));
        return m_answer;
    }
    std::optional<QString> showOpenFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<QString> showSaveFile(const FileDialogRequest&) override { return std::nullopt; }

    int shown = 0;

private:
    MessageAnswer m_answer;
};

// Watches the event loop of the thread it is made on: a precise timer asks
// for a turn every millisecond, so the longest time between two of its ticks
// is the longest the thread kept the loop waiting (a window would neither
// repaint nor take input meanwhile). A timer that falls due during one round
// of the loop fires after the next round's posted events, as input does, so
// a gap may span two rounds: what a user would wait. Unlike a 0 ms timer it
// lets the loop sleep when there is nothing to do, so it costs next to no
// CPU time.
class LoopGaps {
public:
    LoopGaps() {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(1);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
    }
    void start() {
        m_last = Clock::now();
        m_lastCpu = threadCpuMs();
        m_timer.start();
    }
    void stop() {
        tick();
        m_timer.stop();
    }

    double longestMs = 0;
    double longestCpuMs = 0; // the thread's CPU time over the same stretches
    int turns = 0;

private:
    void tick() {
        const Clock::time_point now = Clock::now();
        const double cpu = threadCpuMs();
        longestMs = std::max(longestMs, millisecondsSince(m_last, now));
        longestCpuMs = std::max(longestCpuMs, cpu - m_lastCpu);
        m_last = now;
        m_lastCpu = cpu;
        ++turns;
    }

    QTimer m_timer;
    Clock::time_point m_last = Clock::now();
    double m_lastCpu = 0;
};

} // namespace bench
