// What the window remembers: File > Open Recent through the real menu, and
// the size and recent playlists across two starts in a settings file of the
// test's own.
#include "main_window_fixture.h"
#include "platform/settings_store.h"

#include <QMenu>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

using window_test::Window;

namespace {

// The menu as it opens: each entry's text and tooltip, then Clear Menu's
// enabled state.
QStringList openRecentMenu(Window& w) {
    auto* menu = w.find<QMenu>(u"recentMenu"_s);
    menu->popup(QPoint(0, 0));
    QStringList shown;
    for (QAction* action : menu->actions()) {
        if (action->objectName() == "clearRecentAction"_L1)
            shown.append(action->isEnabled() ? u"[Clear Menu]"_s : u"[Clear Menu disabled]"_s);
        else if (!action->isSeparator())
            shown.append(action->text() + u" = "_s + action->toolTip());
    }
    return shown;
}

} // namespace

class TestRecentAndSettings : public QObject {
    Q_OBJECT

private slots:
    void recentOrderPruningChoiceAndClear();
    void sizeAndListAcrossTwoStarts_data();
    void sizeAndListAcrossTwoStarts();
};

void TestRecentAndSettings::recentOrderPruningChoiceAndClear() {
    Window w;
    addFiles(w.fs, {u"C:\\Lists\\a.m3u"_s, u"C:\\Lists\\b.m3u"_s, u"C:\\Lists\\R&B.m3u"_s});
    // A command-line load, an Open, a Save As, then Open of the first again
    // under another letter case: it moves up instead of showing twice.
    w.open({u"C:\\Lists\\a.m3u"_s});
    w.dialogs.expectOpen(u"C:\\Lists\\b.m3u"_s);
    w.find<QAction>(u"openAction"_s)->trigger();
    QVERIFY(w.waitUntilIdle());
    w.dialogs.expectSave(u"C:\\Lists\\R&B.m3u"_s);
    w.dialogs.expectMessage(u"Overwrite Existing File?"_s, MessageAnswer::Yes);
    w.find<QAction>(u"saveAsAction"_s)->trigger();
    w.dialogs.expectOpen(u"C:\\LISTS\\A.m3u"_s);
    w.find<QAction>(u"openAction"_s)->trigger();
    QVERIFY(w.waitUntilIdle());
    // A cancelled Open changes nothing.
    w.dialogs.expectOpen(std::nullopt);
    w.find<QAction>(u"openAction"_s)->trigger();
    QVERIFY(w.dialogs.done());
    QCOMPARE(openRecentMenu(w),
             QStringList({u"&1 A.m3u = C:\\LISTS\\A.m3u"_s, u"&2 R&&B.m3u = C:\\Lists\\R&B.m3u"_s,
                          u"&3 b.m3u = C:\\Lists\\b.m3u"_s, u"[Clear Menu]"_s}));

    w.fs.remove(u"C:\\Lists\\R&B.m3u"_s);
    QCOMPARE(openRecentMenu(w), QStringList({u"&1 A.m3u = C:\\LISTS\\A.m3u"_s,
                                             u"&2 b.m3u = C:\\Lists\\b.m3u"_s, u"[Clear Menu]"_s}));
    // The second entry by its number key, with changes pending: Open's
    // question first; Cancel keeps everything, No opens it.
    w.doc().insertEntry(u"C:\\Music\\b.mp3"_s);
    w.doc().markModifiedWithoutChange();
    for (const MessageAnswer answer : {MessageAnswer::Cancel, MessageAnswer::No}) {
        openRecentMenu(w);
        w.dialogs.expectMessage(u"Save File First?"_s, answer);
        QTest::keyClick(w.find<QMenu>(u"recentMenu"_s), Qt::Key_2);
        QVERIFY(w.waitUntilIdle());
        QVERIFY(w.dialogs.done());
    }
    QCOMPARE(w.window->windowTitle(), u"Songbinder - C:\\Lists\\b.m3u"_s);
    QVERIFY(!w.doc().isModified() && w.doc().isBoundToFile());
    QCOMPARE(openRecentMenu(w), QStringList({u"&1 b.m3u = C:\\Lists\\b.m3u"_s,
                                             u"&2 A.m3u = C:\\LISTS\\A.m3u"_s, u"[Clear Menu]"_s}));
    w.find<QAction>(u"clearRecentAction"_s)->trigger();
    QCOMPARE(openRecentMenu(w), QStringList({u"[Clear Menu disabled]"_s}));
}

void TestRecentAndSettings::sizeAndListAcrossTwoStarts_data() {
    QTest::addColumn<QSize>("left");
    QTest::addColumn<bool>("keptAsLeft");
    QTest::newRow("bigger than designed") << QSize(760, 700) << true;
    QTest::newRow("below the smallest: opens at the smallest") << QSize(300, 200) << false;
}

void TestRecentAndSettings::sizeAndListAcrossTwoStarts() {
    QFETCH(QSize, left);
    QFETCH(bool, keptAsLeft);
    QTemporaryDir dir;
    QSize smallest;
    for (const bool second : {false, true}) {
        Window w;
        addFiles(w.fs, {u"C:\\Lists\\a.m3u"_s});
        SettingsStore settings(dir.filePath(u"songbinder.conf"_s));
        w.window = std::make_unique<MainWindow>(w.fs, &w.dialogs);
        w.window->useSettings(settings);
        w.window->startUp(second ? QStringList() : QStringList{u"C:\\Lists\\a.m3u"_s});
        QVERIFY(w.waitUntilIdle());
        if (second) {
            QCOMPARE(w.window->size(), keptAsLeft ? left : smallest);
            QCOMPARE(openRecentMenu(w),
                     QStringList({u"&1 a.m3u = C:\\Lists\\a.m3u"_s, u"[Clear Menu]"_s}));
            break;
        }
        smallest = w.window->size();
        w.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
        w.window->resize(left);
        QVERIFY(w.window->close());
    }
}

QTEST_MAIN(TestRecentAndSettings)
#include "tst_recent_and_settings.moc"
