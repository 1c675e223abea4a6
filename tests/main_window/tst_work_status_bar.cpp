// The status bar of long work in the real window: hidden while idle, shown
// only once work has lasted a moment, its text and progress, Cancel and Esc,
// and several works at once.
#include "main_window/work_status_bar.h"
#include "main_window_fixture.h"
#include "playlist/long_work.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;
using window_test::Window;

namespace {

// Work that runs until the test or a Cancel ends it.
class FakeWork final : public LongWork {
public:
    explicit FakeWork(QString text, qint64 total = 0)
        : m_text(std::move(text))
        , m_total(total) {}

    QString statusText() const override { return m_text; }
    qint64 progressDone() const override { return m_done; }
    qint64 progressTotal() const override { return m_total; }
    void cancel() override {
        ++cancels;
        end();
    }
    bool isFinished() const override { return m_finished; }

    void advance(qint64 done, const QString& text) {
        m_done = done;
        m_text = text;
        Q_EMIT progressChanged();
    }
    void end() {
        m_finished = true;
        Q_EMIT finished();
    }

    int cancels = 0;

private:
    QString m_text;
    qint64 m_total;
    qint64 m_done = 0;
    bool m_finished = false;
};

struct Bar {
    Window& w;
    WorkStatusBar* bar() const { return w.find<WorkStatusBar>(u"workStatusBar"_s); }
    bool visible() const { return bar()->isVisible(); }
    QString text() const { return w.find<QLabel>(u"workStatusText"_s)->toolTip(); }
    QProgressBar* progress() const { return w.find<QProgressBar>(u"workProgress"_s); }
};

} // namespace

class TestWorkStatusBar : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void showsLongWorkAfterAMomentAndHidesWhenIdle_data();
    void showsLongWorkAfterAMomentAndHidesWhenIdle();
    void cancelAndEscapeStopTheWorkShown_data();
    void cancelAndEscapeStopTheWorkShown();
    void severalWorksShowTheLatestThenTheNext();
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
    const Bar b{w};
    const QSize idleSize = w.window->size();
    QVERIFY(!b.visible());

    FakeWork work(u"Adding files from C:\\Music\u2026 10 found, 5 added"_s, total);
    QElapsedTimer clock;
    clock.start();
    w.window->showLongWork(&work);
    QVERIFY(!b.visible());
    QTRY_VERIFY(b.visible());
    // Not before the moment has passed, so short work never flickers.
    QVERIFY(clock.elapsed() >= WorkStatusBar::kShowAfter.count() - 20);
    QCOMPARE(b.text(), work.statusText());
    QCOMPARE(b.progress()->isVisible(), total > 0);

    work.advance(400, u"Adding files from C:\\Music\u2026 800 found, 400 added"_s);
    QCOMPARE(b.text(), work.statusText());
    if (total > 0)
        QCOMPARE(b.progress()->value() * 10, b.progress()->maximum() * 4);

    work.end();
    QVERIFY(!b.visible());
    QTRY_COMPARE(w.window->size(), idleSize);

    // Work that ends within the moment never shows.
    FakeWork quick(u"quick"_s, total);
    w.window->showLongWork(&quick);
    quick.end();
    QTest::qWait(2 * static_cast<int>(WorkStatusBar::kShowAfter.count()));
    QVERIFY(!b.visible());
}

void TestWorkStatusBar::cancelAndEscapeStopTheWorkShown_data() {
    QTest::addColumn<bool>("escape");
    QTest::newRow("Cancel button") << false;
    QTest::newRow("Esc in the window") << true;
}

void TestWorkStatusBar::cancelAndEscapeStopTheWorkShown() {
    QFETCH(bool, escape);
    Window w;
    QVERIFY(w.openAndShow());
    const Bar b{w};
    FakeWork work(u"working"_s);
    w.window->showLongWork(&work);
    QTRY_VERIFY(b.visible());

    if (escape) {
        w.playlist()->setFocus();
        QTest::keyClick(w.playlist(), Qt::Key_Escape);
    } else {
        QTest::mouseClick(w.find<QPushButton>(u"cancelWorkButton"_s), Qt::LeftButton);
    }
    QCOMPARE(work.cancels, 1);
    QVERIFY(!b.visible());
    // Idle, Esc is the focused control's again and cancels nothing.
    QTest::keyClick(w.playlist(), Qt::Key_Escape);
    QCOMPARE(work.cancels, 1);
}

void TestWorkStatusBar::severalWorksShowTheLatestThenTheNext() {
    Window w;
    QVERIFY(w.openAndShow());
    const Bar b{w};
    FakeWork first(u"first"_s);
    FakeWork second(u"second"_s);
    FakeWork third(u"third"_s);
    w.window->showLongWork(&first);
    w.window->showLongWork(&second);
    w.window->showLongWork(&third);
    QTRY_VERIFY(b.visible());
    QCOMPARE(b.text(), u"third"_s);

    // The one in the middle ends unseen; Cancel stops the one shown.
    second.end();
    QCOMPARE(b.text(), u"third"_s);
    QTest::mouseClick(w.find<QPushButton>(u"cancelWorkButton"_s), Qt::LeftButton);
    QCOMPARE(third.cancels, 1);
    QVERIFY(b.visible());
    QCOMPARE(b.text(), u"first"_s);
    QCOMPARE(first.cancels, 0);
    first.end();
    QVERIFY(!b.visible());
}

QTEST_MAIN(TestWorkStatusBar)
#include "tst_work_status_bar.moc"
