// The browser through its widgets: clicks and keys in the folder tree and the
// file list, whatever the desktop's single-click setting; the drive box; the
// select-all keys; what a drag out of the lists offers.
#include "main_window_fixture.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDrag>
#include <QLabel>
#include <QMimeData>
#include <QProxyStyle>
#include <QUrl>

using namespace Qt::StringLiterals;
using window_test::Window;

namespace {

// A desktop set to open items with one click, as some are.
class SingleClickStyle final : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ItemView_ActivateItemOnSingleClick)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// Gives the browser's lists the single-click style when asked; they get
// their own style back when it goes.
class ClickSetting {
public:
    ClickSetting(const Window& w, bool singleClick) {
        if (!singleClick)
            return;
        for (QWidget* list : {static_cast<QWidget*>(w.folders()), static_cast<QWidget*>(w.files())})
            list->setStyle(&m_style);
        m_lists = {w.folders(), w.files()};
    }
    ~ClickSetting() {
        for (QWidget* list : m_lists)
            list->setStyle(nullptr);
    }
    ClickSetting(const ClickSetting&) = delete;
    ClickSetting& operator=(const ClickSetting&) = delete;

private:
    SingleClickStyle m_style;
    QList<QWidget*> m_lists;
};

// The two desktops every click test runs on.
void addClickSettingRows() {
    QTest::addColumn<bool>("singleClick");
    QTest::newRow("double-click desktop") << false;
    QTest::newRow("single-click desktop") << true;
}

QStringList rowTexts(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

// The drive box as a user picks from it: the list opened, the row chosen
// with the keys, Enter.
void pickDrive(QComboBox* box, const QString& root) {
    box->showPopup();
    QAbstractItemView* popup = box->view();
    QVERIFY(QTest::qWaitForWindowExposed(popup->window()));
    const QModelIndex row = popup->model()->index(box->findData(root), 0);
    QVERIFY(row.isValid());
    popup->setCurrentIndex(row);
    QTest::keyClick(popup, Qt::Key_Return);
    QTRY_VERIFY(!popup->window()->isVisible());
}

// The window over a Linux machine with two volumes whose mount points share
// the beginning of their names.
struct MountedWindow : PlaylistFixture<> {
    MountedWindow()
        : PlaylistFixture(PathRules::posix()) {
        fs.addFolder(u"/home/u"_s);
        fs.addMountPoint(u"/mnt/data"_s);
        fs.addMountPoint(u"/mnt/data2"_s);
        addFiles(fs, {u"/mnt/data/d.mp3"_s, u"/mnt/data2/x/x.mp3"_s, u"/mnt/data2/e.mp3"_s,
                      u"/mnt/database/y/y.mp3"_s});
    }
    void open(const QString& start) {
        fs.setCurrentFolder(start);
        window = std::make_unique<MainWindow>(fs, &dialogs);
        window->startUp({});
    }
    QComboBox* driveBox() const { return window->findChild<QComboBox*>(u"driveBox"_s); }
    QString openFolder() const {
        const auto* folders = window->findChild<QListWidget*>(u"folderList"_s);
        return folders->currentItem()->toolTip();
    }

    std::unique_ptr<MainWindow> window;
};

} // namespace

class TestBrowser : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void folderTreeClickHighlightsDoubleClickOpens_data();
    void folderTreeClickHighlightsDoubleClickOpens();
    void enterOpensTheHighlightedFolder();
    void doubleClickOnAFileShowsItsTagOnce_data();
    void doubleClickOnAFileShowsItsTagOnce();
    void openingAFolderThatCannotBeReadKeepsTheBrowser();
    void pickingTheShownDriveChangesNothing();
    void pickingAnotherDriveOpensItsLastFolder();
    void driveNotReadyKeepsThePreviousDrive();
    void driveOfAFolderIsItsLongestMountPoint_data();
    void driveOfAFolderIsItsLongestMountPoint();
    void selectAllKeysSelectEveryFile_data();
    void selectAllKeysSelectEveryFile();
    void selectAllOnAnEmptyFileListIsSwallowed();
    void dragsOfferCopyAndLinkNeverMove();
    void browserListsDragFilesTopToBottom();
};

void TestBrowser::cleanup() {
    QVERIFY(!QApplication::activeModalWidget());
}

void TestBrowser::folderTreeClickHighlightsDoubleClickOpens_data() {
    addClickSettingRows();
}

void TestBrowser::folderTreeClickHighlightsDoubleClickOpens() {
    QFETCH(bool, singleClick);
    Window w;
    QVERIFY(w.openAndShow());
    const ClickSetting setting(w, singleClick);
    QListWidget* folders = w.folders();
    const QStringList opened = {u"C:\\"_s, u"Music"_s, u"Empty"_s, u"Rock"_s};
    QCOMPARE(rowTexts(folders), opened);
    w.files()->item(0)->setSelected(true);

    // A click highlights: the file list shows the folder, which is not opened.
    Window::clickRow(folders, u"Rock"_s);
    QCOMPARE(rowTexts(folders), opened);
    QCOMPARE(w.fileNames(), QStringList{u"r.mp3"_s});
    QVERIFY(!w.enabled(u"addSelectedFilesButton"_s));
    // A change of the document refreshes the window; the file list keeps its
    // folder and its selection.
    w.files()->item(0)->setSelected(true);
    w.doc().markModifiedWithoutChange();
    QCOMPARE(w.files()->selectedItems().size(), 1);
    // So the commands of the highlighted folder reach it.
    w.click(u"addFolderTreeButton"_s);
    QTRY_COMPARE(w.doc().entries(), QStringList{u"C:\\Music\\Rock\\r.mp3"_s});
    w.click(u"makeRootButton"_s);
    QCOMPARE(w.doc().rootPath(), u"C:\\Music\\Rock\\"_s);
    QCOMPARE(rowTexts(folders), opened);

    // A double click opens it: its sub-folders are listed, the selection is gone.
    w.files()->item(0)->setSelected(true);
    Window::clickRow(folders, u"Music"_s, true);
    QCOMPARE(rowTexts(folders), (QStringList{u"C:\\"_s, u"Music"_s, u"Empty"_s, u"Rock"_s}));
    QCOMPARE(w.fileNames().size(), 4);
    QVERIFY(w.files()->selectedItems().isEmpty());
    Window::clickRow(folders, u"Rock"_s, true);
    QCOMPARE(rowTexts(folders), (QStringList{u"C:\\"_s, u"Music"_s, u"Rock"_s}));
    QVERIFY(w.dialogs.done());
}

void TestBrowser::enterOpensTheHighlightedFolder() {
    Window w;
    QVERIFY(w.openAndShow());
    w.folders()->setFocus();
    // The arrow keys highlight like a click, Enter opens.
    QTest::keyClick(w.folders(), Qt::Key_Down);
    QCOMPARE(w.folders()->currentItem()->text(), u"Empty"_s);
    QCOMPARE(rowTexts(w.folders()).size(), 4);
    QTest::keyClick(w.folders(), Qt::Key_Down);
    QTest::keyClick(w.folders(), Qt::Key_Return);
    QCOMPARE(rowTexts(w.folders()), (QStringList{u"C:\\"_s, u"Music"_s, u"Rock"_s}));
    QTest::keyClick(w.folders(), Qt::Key_Up);
    QTest::keyClick(w.folders(), Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(rowTexts(w.folders()).size(), 4);
}

void TestBrowser::doubleClickOnAFileShowsItsTagOnce_data() {
    addClickSettingRows();
}

void TestBrowser::doubleClickOnAFileShowsItsTagOnce() {
    QFETCH(bool, singleClick);
    Window w;
    QVERIFY(w.openAndShow());
    const ClickSetting setting(w, singleClick);
    // A click selects and shows nothing.
    Window::clickRow(w.files(), u"b.mp3"_s);
    QCOMPARE(w.files()->selectedItems().size(), 1);
    QVERIFY(w.dialogs.shown().isEmpty());
    w.dialogs.expectMessage(u"No ID3 Tag Found"_s);
    Window::clickRow(w.files(), u"b.mp3"_s, true);
    QVERIFY(w.dialogs.done());
    QCOMPARE(w.dialogs.shown().size(), 1);
    QCOMPARE(w.dialogs.lastMessage().icon, MessageIcon::None);
}

void TestBrowser::openingAFolderThatCannotBeReadKeepsTheBrowser() {
    Window w;
    w.fs.setUnreadable(u"C:\\Music\\Locked"_s);
    QVERIFY(w.openAndShow());
    // Highlighting it tells why, and the file list stays where it was.
    w.dialogs.expectMessage({});
    Window::clickRow(w.folders(), u"Locked"_s);
    QVERIFY(w.dialogs.done());
    QCOMPARE(w.dialogs.lastMessage().icon, MessageIcon::Exclamation);
    QVERIFY(w.dialogs.lastMessage().text.contains(u"C:\\Music\\Locked"_s));
    QCOMPARE(w.fileNames().size(), 4);
    // The highlight went back, so the next refresh does not tell again.
    w.doc().markModifiedWithoutChange();
    QVERIFY(w.dialogs.done());
    // Opening it tells again and keeps the folder open.
    w.dialogs.expectMessage({});
    const QListWidgetItem* locked = w.folders()->findItems(u"Locked"_s, Qt::MatchExactly).first();
    QTest::mouseDClick(w.folders()->viewport(), Qt::LeftButton, {},
                       w.folders()->visualItemRect(locked).center());
    QVERIFY(w.dialogs.done());
    QVERIFY(!w.folders()->findItems(u"Rock"_s, Qt::MatchExactly).isEmpty());
}

void TestBrowser::pickingTheShownDriveChangesNothing() {
    Window w;
    QVERIFY(w.openAndShow());
    Window::clickRow(w.folders(), u"Rock"_s);
    w.files()->item(0)->setSelected(true);
    auto* drives = w.find<QComboBox>(u"driveBox"_s);
    pickDrive(drives, u"C:\\"_s);
    QCOMPARE(drives->currentData().toString(), u"C:\\"_s);
    QCOMPARE(w.folders()->currentItem()->text(), u"Rock"_s);
    QCOMPARE(rowTexts(w.folders()).size(), 4);
    QCOMPARE(w.fileNames(), QStringList{u"r.mp3"_s});
    QCOMPARE(w.files()->selectedItems().size(), 1);
    QVERIFY(w.enabled(u"addSelectedFilesButton"_s));
}

void TestBrowser::pickingAnotherDriveOpensItsLastFolder() {
    Window w;
    QVERIFY(w.openAndShow());
    auto* drives = w.find<QComboBox>(u"driveBox"_s);
    pickDrive(drives, u"D:\\"_s);
    QCOMPARE(drives->currentData().toString(), u"D:\\"_s);
    QCOMPARE(w.fileNames(), QStringList{u"x.mp3"_s});
    // Back on C:, the folder last opened there.
    drives->setFocus();
    QTest::keyClick(drives, Qt::Key_Up);
    QCOMPARE(drives->currentData().toString(), u"C:\\"_s);
    QCOMPARE(w.folders()->currentItem()->text(), u"Music"_s);
    QCOMPARE(w.fileNames().size(), 4);
}

void TestBrowser::driveNotReadyKeepsThePreviousDrive() {
    Window w;
    w.fs.addDrive(u"E:\\"_s, false);
    QVERIFY(w.openAndShow());
    auto* drives = w.find<QComboBox>(u"driveBox"_s);
    w.dialogs.expectMessage({});
    pickDrive(drives, u"E:\\"_s);
    QVERIFY(w.dialogs.done());
    QCOMPARE(w.dialogs.lastMessage().icon, MessageIcon::Exclamation);
    QCOMPARE(drives->currentData().toString(), u"C:\\"_s);
    QCOMPARE(w.fileNames().size(), 4);
}

void TestBrowser::driveOfAFolderIsItsLongestMountPoint_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("drive");
    QTest::newRow("a folder on the root volume") << u"/home/u"_s << u"/"_s;
    QTest::newRow("the mount point itself") << u"/mnt/data"_s << u"/mnt/data"_s;
    QTest::newRow("below the mount point") << u"/mnt/data2/x"_s << u"/mnt/data2"_s;
    QTest::newRow("a folder whose name only begins like a mount point")
        << u"/mnt/database/y"_s << u"/"_s;
}

void TestBrowser::driveOfAFolderIsItsLongestMountPoint() {
    QFETCH(QString, start);
    QFETCH(QString, drive);
    MountedWindow w;
    w.open(start);
    QCOMPARE(w.driveBox()->currentData().toString(), drive);

    // Each drive remembers only folders that are on it.
    const auto choose = [&w](const QString& root) {
        const int index = w.driveBox()->findData(root);
        w.driveBox()->setCurrentIndex(index);
        Q_EMIT w.driveBox()->activated(index);
    };
    choose(u"/mnt/data"_s);
    QCOMPARE(w.openFolder(), start == u"/mnt/data"_s ? start : u"/mnt/data"_s);
    choose(u"/mnt/data2"_s);
    QCOMPARE(w.openFolder(), start.startsWith(u"/mnt/data2"_s) ? start : u"/mnt/data2"_s);
    choose(u"/"_s);
    QCOMPARE(w.openFolder(), drive == u"/"_s ? start : u"/"_s);
    QVERIFY(w.dialogs.done());
}

void TestBrowser::selectAllKeysSelectEveryFile_data() {
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("focus");
    for (const QString& focus : {u"playlistView"_s, u"folderList"_s, u"driveBox"_s}) {
        QTest::addRow("Ctrl+A in %s", qPrintable(focus))
            << Qt::KeyboardModifiers(Qt::ControlModifier) << focus;
        QTest::addRow("Ctrl+Shift+A in %s", qPrintable(focus))
            << (Qt::ControlModifier | Qt::ShiftModifier) << focus;
    }
}

void TestBrowser::selectAllKeysSelectEveryFile() {
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, focus);
    Window w;
    QVERIFY(w.openAndShow());
    w.doc().insertEntry(u"C:\\a.mp3"_s);
    auto* target = w.find<QWidget>(focus);
    target->setFocus();
    QTest::keyClick(target, Qt::Key_A, modifiers);
    QCOMPARE(w.files()->selectedItems().size(), 4);
    QVERIFY(w.enabled(u"addSelectedFilesButton"_s));
    // The focused control never saw the key.
    QVERIFY(!w.playlist()->selectionModel()->hasSelection());
}

void TestBrowser::selectAllOnAnEmptyFileListIsSwallowed() {
    Window w(u"C:\\Music\\Empty"_s);
    QVERIFY(w.openAndShow());
    w.doc().insertEntry(u"C:\\a.mp3"_s);
    w.playlist()->setFocus();
    for (const Qt::KeyboardModifiers modifiers :
         {Qt::KeyboardModifiers(Qt::ControlModifier), Qt::ControlModifier | Qt::ShiftModifier}) {
        QTest::keyClick(w.playlist(), Qt::Key_A, modifiers);
        QVERIFY(!w.playlist()->selectionModel()->hasSelection());
        QVERIFY(!w.enabled(u"addSelectedFilesButton"_s));
    }
}

void TestBrowser::dragsOfferCopyAndLinkNeverMove() {
    Window w;
    QVERIFY(w.openAndShow());
    for (QListWidget* list : {w.files(), w.folders()}) {
        // A press and a move beyond the drag distance start a real drag.
        const QPoint from = list->visualItemRect(list->item(1)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, from);
        const QPoint to = from + QPoint(QApplication::startDragDistance() + 20, 0);
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, from);
        // The view takes the first move for the start of a drag, and drags
        // on the next.
        for (const QPoint& at : {from + QPoint(2, 0), to}) {
            QMouseEvent move(QEvent::MouseMove, at, list->viewport()->mapToGlobal(at), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(list->viewport(), &move);
        }
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, to);

        const auto* drag = list->findChild<QDrag*>();
        QVERIFY2(drag, qPrintable(list->objectName()));
        QCOMPARE(drag->supportedActions(), Qt::CopyAction | Qt::LinkAction);
        QCOMPARE(drag->defaultAction(), Qt::CopyAction);
        // The rows stay, whatever the drop did.
        QVERIFY(list->count() > 1);
    }
}

void TestBrowser::browserListsDragFilesTopToBottom() {
    Window w;
    w.open();
    const auto urlsOf = [](QListWidget* list, const QList<int>& rows) {
        QModelIndexList indexes;
        for (int row : rows)
            indexes.append(list->model()->index(row, 0));
        const std::unique_ptr<QMimeData> data(list->model()->mimeData(indexes));
        return data->urls();
    };
    const auto filesAt = [](const QStringList& paths) {
        QList<QUrl> urls;
        for (const QString& path : paths)
            urls.append(QUrl::fromLocalFile(path));
        return urls;
    };
    // Picked bottom first, dragged top to bottom, as full paths.
    QCOMPARE(urlsOf(w.files(), {3, 0}), filesAt({u"C:\\Music\\A.MP3"_s, u"C:\\Music\\d.wma"_s}));
    const int rock = w.folders()->row(w.folders()->findItems(u"Rock"_s, Qt::MatchExactly).first());
    QCOMPARE(urlsOf(w.folders(), {rock}), filesAt({u"C:\\Music\\Rock"_s}));
}

QTEST_MAIN(TestBrowser)
#include "tst_browser.moc"
