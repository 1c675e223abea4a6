// The status bar of long work in the real window: hidden while idle, shown
// only once work has lasted a moment, its text and progress, Cancel and Esc,
// and several works at once.
#include "main_window/work_status_bar.h"
#include "main_window_fixture.h"
#include "playlist/long_work.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QTest>

using namespace Qt::StringLiterals;
using window_test::Window;

namespace {

// Work that runs until the test or a Cancel ends it.
class FakeWork final : public LongWork {
public:
    explicit FakeWork(QString text, qint64 total = 0)
        : text(std::move(text))
        , total(total) {}
    QString statusText() const override { return text; }
    qint64 progressDone() const override { return done; }
    qint64 progressTotal() const override { return total; }
    void cancel() override {
        ++cancels;
        end();
    }
    bool isFinished() const override { return ended; }
    void end() {
        ended = true;
        Q_EMIT finished();
    }

    QString text;
    qint64 total;
    qint64 done = 0;
    int cancels = 0;
    bool ended = false;
};

bool barShown(const Window& w) {
    return w.find<WorkStatusBar>(u"workStatusBar"_s)->isVisible();
}
QString barText(const Window& w) {
    return w.find<QLabel>(u"workStatusText"_s)->toolTip();
}

} // namespace

class TestWorkStatusBar : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void showsLongWorkAfterAMomentAndHidesWhenIdle_data();
    void showsLongWorkAfterAMomentAndHidesWhenIdle();
    void cancelAndEscapeStopTheLatestThenTheNext();
};

void TestWorkStatusBar::showsLongWorkAfterAMomentAndHidesWhenIdle_data() {
    QTest::addColumn<qint64>("total");
    QTest::newRow("a walk: no amount known") << qint64(0);
    QTest::newRow("a load: entries tested out of all") << qint64(1000);
}

void TestWorkStatusBar::showsLongWorkAfterAMomentAndHidesWhenIdle() {
    QFETCH(qint64, total);
    Window w;
    QVERIFY(w.openAndShow());
    const QSize idleSize = w.window->size();
    FakeWork work(u"Adding files from C:\\Music\u2026 10 found, 5 added"_s, total);
    QElapsedTimer clock;
    clock.start();
    w.window->showLongWork(&work);
    QVERIFY(!barShown(w));
    QTRY_VERIFY(barShown(w));
    // Not before the moment has passed, so short work never flickers.
    QVERIFY(clock.elapsed() >= WorkStatusBar::kShowAfter.count() - 20);
    auto* progress = w.find<QProgressBar>(u"workProgress"_s);
    QCOMPARE(progress->isVisible(), total > 0);

    work.text = u"Adding files from C:\\Music\u2026 800 found, 400 added"_s;
    work.done = 400;
    Q_EMIT work.progressChanged();
    QCOMPARE(barText(w), work.text);
    if (total > 0)
        QCOMPARE(progress->value() * 10, progress->maximum() * 4);

    // Idle again: hidden, and the window back at its size.
    work.end();
    QVERIFY(!barShown(w));
    QTRY_COMPARE(w.window->size(), idleSize);
    FakeWork quick(u"quick"_s, total);
    w.window->showLongWork(&quick);
    quick.end();
    QTest::qWait(2 * static_cast<int>(WorkStatusBar::kShowAfter.count()));
    QVERIFY(!barShown(w));
}

void TestWorkStatusBar::cancelAndEscapeStopTheLatestThenTheNext() {
    Window w;
    QVERIFY(w.openAndShow());
    FakeWork first(u"first"_s);
    FakeWork second(u"second"_s);
    FakeWork third(u"third"_s);
    for (FakeWork* work : {&first, &second, &third})
        w.window->showLongWork(work);
    QTRY_VERIFY(barShown(w));
    QCOMPARE(barText(w), u"third"_s);
    // One that ends unseen changes nothing.
    second.end();
    QCOMPARE(barText(w), u"third"_s);

    QTest::mouseClick(w.find<QPushButton>(u"cancelWorkButton"_s), Qt::LeftButton);
    QCOMPARE(third.cancels, 1);
    QCOMPARE(barText(w), u"first"_s);
    QTest::keyClick(w.playlist(), Qt::Key_Escape);
    QCOMPARE(first.cancels, 1);
    QVERIFY(!barShown(w));
    // Idle, Esc is the focused control's again and cancels nothing.
    QTest::keyClick(w.playlist(), Qt::Key_Escape);
    QCOMPARE(first.cancels + second.cancels + third.cancels, 2);
}

QTEST_MAIN(TestWorkStatusBar)
#include "tst_work_status_bar.moc"
