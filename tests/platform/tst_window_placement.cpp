// Centring a top-level window by its outer frame, run at the screen's own
// scale and again with QT_SCALE_FACTOR=2.
#include "platform/window_placement.h"

#include <QApplication>
#include <QDialog>
#include <QScreen>
#include <QTest>
#include <QWidget>

class TestWindowPlacement : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void centredTopLeft_data();
    void centredTopLeft();
    void shownWindowIsCentredByItsFrame_data();
    void shownWindowIsCentredByItsFrame();
};

void TestWindowPlacement::centredTopLeft_data() {
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QSize>("outer");
    QTest::addColumn<QPoint>("expected");
    QTest::newRow("fits") << QRect(0, 0, 1280, 1024) << QSize(560, 600) << QPoint(360, 212);
    QTest::newRow("odd room: the half pixel goes right and down")
        << QRect(0, 0, 1280, 1024) << QSize(561, 601) << QPoint(359, 211);
    QTest::newRow("a panel above and a second screen to the left")
        << QRect(-1024, 32, 1024, 736) << QSize(524, 336) << QPoint(-774, 232);
    QTest::newRow("taller than the area: the title bar stays on it")
        << QRect(0, 32, 640, 480) << QSize(560, 620) << QPoint(40, 32);
    QTest::newRow("larger both ways")
        << QRect(10, 20, 400, 400) << QSize(560, 620) << QPoint(10, 20);
}

void TestWindowPlacement::centredTopLeft() {
    QFETCH(QRect, area);
    QFETCH(QSize, outer);
    QFETCH(QPoint, expected);
    QCOMPARE(::centredTopLeft(area, outer), expected);
}

void TestWindowPlacement::shownWindowIsCentredByItsFrame_data() {
    QTest::addColumn<bool>("dialog");
    QTest::addColumn<QSize>("size");
    QTest::newRow("window") << false << QSize(300, 200);
    QTest::newRow("dialog") << true << QSize(214, 162);
    // At twice the scale the offscreen screen has 400 by 400 logical pixels.
    QTest::newRow("window taller than the screen") << false << QSize(300, 900);
}

void TestWindowPlacement::shownWindowIsCentredByItsFrame() {
    QFETCH(bool, dialog);
    QFETCH(QSize, size);
    std::unique_ptr<QWidget> window =
        dialog ? std::make_unique<QDialog>() : std::make_unique<QWidget>();
    window->resize(size);
    window->move(3, 3);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    centreOnScreen(window.get());

    const QRect area = window->screen()->availableGeometry();
    const QRect frame = window->frameGeometry();
    // The frame is wider than the window where the platform draws one.
    QVERIFY(frame.width() >= size.width());
    QCOMPARE(frame.topLeft(), ::centredTopLeft(area, frame.size()));
    QVERIFY(frame.top() >= area.top());
    // The size stays as it was, in logical pixels at any scale.
    QCOMPARE(window->size(), size);
}

QTEST_MAIN(TestWindowPlacement)
#include "tst_window_placement.moc"
