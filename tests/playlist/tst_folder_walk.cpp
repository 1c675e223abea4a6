// Add Entire Dir over the in-memory tree (Windows rules): the order in which
// the listing finds the files, and the adding on the window's thread while
// the listing runs on its own: everything added, refusals one by one in
// order, the modified flag, folders it cannot read, a second walk, a walk
// deleted half-way, and the listing held back while a message is open.
//
// The listing reads the in-memory tree from its own thread: no test changes
// the tree while a walk runs.

#include "forwarding_file_system.h"
#include "held_file_system.h"
#include "platform/translations.h"
#include "playlist_fixture.h"

#include <QAbstractItemModelTester>
#include <QLocale>
#include <QSet>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>

using namespace Qt::StringLiterals;

namespace {

const QString kNotInRoot = u"File is not in Root Path"_s;

struct Listed {
    QStringList files;
    SkippedFolders skipped;
};

Listed listTree(FileSystem& fs, const QString& folder) {
    FolderTreeListing listing(fs);
    Listed listed;
    listing.run(folder, {[&](const QString& path) {
                             listed.files.append(path);
                             return true;
                         },
                         {}});
    listed.skipped = listing.skipped();
    return listed;
}

QStringList inPlaylistOrder(QStringList paths) {
    std::sort(paths.begin(), paths.end(), PathRules::lessForPlaylist);
    return paths;
}

// A tree of `folders` folders below `top`, each with `perFolder` files of the
// three kinds and a few others, some folders nested in others.
QStringList makeTree(FakeFileSystem& fs, const QString& top, int folders, int perFolder) {
    static const char* const extensions[] = {".mp3", ".WAV", ".txt", ".Wma", ".mp3"};
    QStringList audio;
    for (int folder = 0; folder < folders; ++folder) {
        const QString path = folder % 3 == 2
                                 ? u"%1\\F%2\\Sub%3"_s.arg(top).arg(folder - 1).arg(folder)
                                 : u"%1\\F%2"_s.arg(top).arg(folder);
        for (int file = 0; file < perFolder; ++file) {
            const QString name = u"%1\\t%2%3"_s.arg(path).arg(file).arg(QLatin1String(
                extensions[static_cast<size_t>(file + folder) % std::size(extensions)]));
            fs.addFile(name);
            if (!name.endsWith(u".txt"_s))
                audio.append(name);
        }
    }
    return audio;
}

std::unique_ptr<QAbstractItemModelTester> testModel(PlaylistDocument& document) {
    return std::make_unique<QAbstractItemModelTester>(
        document.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
}

// Calls `check` after every change of the playlist's rows a view would see.
void afterEveryChange(PlaylistDocument& document, QObject* context,
                      const std::function<void()>& check) {
    QAbstractItemModel* model = document.model();
    QObject::connect(model, &QAbstractItemModel::rowsInserted, context, check);
    QObject::connect(model, &QAbstractItemModel::layoutChanged, context, check);
}

bool waitFor(QSignalSpy& spy, int count = 1) {
    while (spy.size() < count)
        if (!spy.wait(60000))
            return false;
    return spy.size() == count;
}

// Holds the tree, so that it is made before the file system that passes
// calls on to it.
struct TreeHolder {
    FakeFileSystem tree;
};

// The in-memory tree, counting the names its searches hand out, so a test
// can see how far the listing has gone.
class CountingFileSystem final : public TreeHolder, public ForwardingFileSystem {
public:
    CountingFileSystem()
        : ForwardingFileSystem(tree) {}

    // Waits until `done(names handed out so far)` holds, looking again at
    // each name handed out; false when it never came.
    bool waitUntil(const std::function<bool(qsizetype)>& done) {
        std::unique_lock lock(m_mutex);
        return m_moved.wait_for(lock, std::chrono::seconds(60), [&] { return done(m_found); });
    }

    std::unique_ptr<FileNameSearch> search(const QString& pattern, SearchMask mask,
                                           QString* error = nullptr) override {
        std::unique_ptr<FileNameSearch> search = tree.search(pattern, mask, error);
        if (!search)
            return search;
        return std::make_unique<Counted>(*this, std::move(search));
    }
    std::optional<FolderInfo> folder(const QString& path, QString* error = nullptr) override {
        if (beforeFolder)
            beforeFolder(path);
        return tree.folder(path, error);
    }
    // Runs on the listing's thread as it opens each folder.
    std::function<void(const QString&)> beforeFolder;

private:
    class Counted final : public FileNameSearch {
    public:
        Counted(CountingFileSystem& fs, std::unique_ptr<FileNameSearch> search)
            : m_fs(fs)
            , m_search(std::move(search)) {}
        std::optional<QString> next() override {
            std::optional<QString> name = m_search->next();
            if (name) {
                {
                    const std::lock_guard lock(m_fs.m_mutex);
                    ++m_fs.m_found;
                }
                m_fs.m_moved.notify_all();
            }
            return name;
        }

    private:
        CountingFileSystem& m_fs;
        std::unique_ptr<FileNameSearch> m_search;
    };

    std::mutex m_mutex;
    std::condition_variable m_moved;
    qsizetype m_found = 0;
};

} // namespace

class TestFolderWalk : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The English plural forms ("A folder ...", "2 folders ..."), as the
    // program installs them.
    void initTestCase() { installTranslations(*QCoreApplication::instance(), QLocale::c()); }
    void listingOrder_data();
    void listingOrder();
    void listingFindsHiddenAndSystemFilesButNoFolder();
    void listingSkipsFoldersItCannotRead_data();
    void listingSkipsFoldersItCannotRead();
    void listingStopsWhenTheSinkSaysSo();
    void addsEverythingWhileTheWindowGoesOn();
    void setsTheFlagOnlyWhenItAdds_data();
    void setsTheFlagOnlyWhenItAdds();
    void refusesFilesOutsideTheRootOneByOneInOrder();
    void reportsUnreadableFoldersOnceAtTheEnd_data();
    void reportsUnreadableFoldersOnceAtTheEnd();
    void secondWalkLeavesTheFirstUndisturbed();
    void deletingAWalkUnderWayStopsIt();
    void listingWaitsWhileAMessageIsOpen();
    void cancelStopsAtOnceAndKeepsWhatWasAdded_data();
    void cancelStopsAtOnceAndKeepsWhatWasAdded();
};

void TestFolderWalk::listingOrder_data() {
    QTest::addColumn<QStringList>("files"); // created in this order: the file system's order
    QTest::addColumn<QString>("walked");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("every mp3, then every wav, then every wma, each depth first")
        << strings({"C:\\A\\x.wav", "C:\\A\\y.mp3", "C:\\A\\Sub\\z.mp3", "C:\\A\\Sub\\w.wma",
                    "C:\\A\\v.wma"})
        << "C:\\A"
        << strings({"C:\\A\\y.mp3", "C:\\A\\Sub\\z.mp3", "C:\\A\\x.wav", "C:\\A\\v.wma",
                    "C:\\A\\Sub\\w.wma"});
    QTest::newRow("pre-order: own files first, each sub-tree finished before the next")
        << strings({"C:\\A\\S1\\T\\d.mp3", "C:\\A\\S1\\c.mp3", "C:\\A\\S2\\e.mp3", "C:\\A\\z.mp3",
                    "C:\\A\\b.mp3"})
        << "C:\\A"
        << strings({"C:\\A\\z.mp3", "C:\\A\\b.mp3", "C:\\A\\S1\\c.mp3", "C:\\A\\S1\\T\\d.mp3",
                    "C:\\A\\S2\\e.mp3"});
    QTest::newRow("patterns ignore case, near misses do not match")
        << strings({"C:\\A\\LOUD.Mp3", "C:\\A\\notes.txt", "C:\\A\\a.mp3.bak", "C:\\A\\a.mp3x",
                    "C:\\A\\b.WaV"})
        << "C:\\A" << strings({"C:\\A\\LOUD.Mp3", "C:\\A\\b.WaV"});
    QTest::newRow("drive top folder: one separator")
        << strings({"C:\\a.mp3", "C:\\M\\b.mp3"}) << "C:\\"
        << strings({"C:\\a.mp3", "C:\\M\\b.mp3"});
    QTest::newRow("walked folder with its separator")
        << strings({"C:\\A\\a.mp3"}) << "C:\\A\\" << strings({"C:\\A\\a.mp3"});
    QTest::newRow("paths spelled as the file system has them")
        << strings({"C:\\Album\\a.mp3"}) << "c:\\ALBUM" << strings({"C:\\Album\\a.mp3"});
    QTest::newRow("nothing to find") << strings({"C:\\A\\a.txt"}) << "C:\\A" << QStringList();
}

void TestFolderWalk::listingOrder() {
    QFETCH(QStringList, files);
    QFETCH(QString, walked);
    QFETCH(QStringList, expected);

    FakeFileSystem fs;
    addFiles(fs, files);
    const Listed listed = listTree(fs, walked);

    QCOMPARE(listed.files, expected);
    QVERIFY(listed.skipped.folders.isEmpty());
}

void TestFolderWalk::listingFindsHiddenAndSystemFilesButNoFolder() {
    FakeFileSystem fs;
    fs.addFile(u"C:\\A\\a.mp3"_s, {}, {.hidden = true});
    fs.addFile(u"C:\\A\\s.WAV"_s, {}, {.system = true, .readOnly = true});
    addFiles(fs, strings({"C:\\A\\c.mp3", "C:\\A\\b.mp3\\inside.wma"}));

    QCOMPARE(listTree(fs, u"C:\\A"_s).files,
             strings({"C:\\A\\a.mp3", "C:\\A\\c.mp3", "C:\\A\\s.WAV", "C:\\A\\b.mp3\\inside.wma"}));
}

void TestFolderWalk::listingSkipsFoldersItCannotRead_data() {
    QTest::addColumn<QStringList>("unreadable");
    QTest::addColumn<QString>("walked");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QStringList>("skipped");
    QTest::addColumn<QString>("reason");

    QTest::newRow("none") << QStringList() << "C:\\A"
                          << strings({"C:\\A\\a.mp3", "C:\\A\\L1\\b.mp3", "C:\\A\\L2\\c.wav",
                                      "C:\\A\\ok\\d.wma"})
                          << QStringList() << "";
    QTest::newRow("one") << strings({"C:\\A\\L1"}) << "C:\\A"
                         << strings({"C:\\A\\a.mp3", "C:\\A\\L2\\c.wav", "C:\\A\\ok\\d.wma"})
                         << strings({"C:\\A\\L1"}) << "Permission denied";
    QTest::newRow("two, each once over the three patterns")
        << strings({"C:\\A\\L1", "C:\\A\\L2"}) << "C:\\A"
        << strings({"C:\\A\\a.mp3", "C:\\A\\ok\\d.wma"}) << strings({"C:\\A\\L1", "C:\\A\\L2"})
        << "Permission denied";
    QTest::newRow("the walked folder itself is gone")
        << QStringList() << "C:\\Gone" << QStringList() << strings({"C:\\Gone"})
        << "Path not found";
}

void TestFolderWalk::listingSkipsFoldersItCannotRead() {
    QFETCH(QStringList, unreadable);
    QFETCH(QString, walked);
    QFETCH(QStringList, expected);
    QFETCH(QStringList, skipped);
    QFETCH(QString, reason);

    FakeFileSystem fs;
    addFiles(fs,
             strings({"C:\\A\\a.mp3", "C:\\A\\L1\\b.mp3", "C:\\A\\L2\\c.wav", "C:\\A\\ok\\d.wma"}));
    for (const QString& folder : unreadable)
        fs.setUnreadable(folder);
    const Listed listed = listTree(fs, walked);

    QCOMPARE(listed.files, expected);
    QCOMPARE(listed.skipped.folders, skipped);
    QCOMPARE(listed.skipped.firstReason, reason);
}

void TestFolderWalk::listingStopsWhenTheSinkSaysSo() {
    FakeFileSystem fs;
    addFiles(fs, strings({"C:\\A\\a.mp3", "C:\\A\\b.mp3", "C:\\A\\c.mp3", "C:\\A\\S\\d.mp3",
                          "C:\\A\\T\\e.wav"}));
    FolderTreeListing listing(fs);

    QStringList found;
    QVERIFY(!listing.run(u"C:\\A"_s, {[&](const QString& path) {
                                          found.append(path);
                                          return found.size() < 2;
                                      },
                                      {}}));
    QCOMPARE(found, strings({"C:\\A\\a.mp3", "C:\\A\\b.mp3"}));

    // Refused before the second folder: the first folder's files only.
    found.clear();
    int folders = 0;
    QVERIFY(!listing.run(u"C:\\A"_s, {[&](const QString& path) {
                                          found.append(path);
                                          return true;
                                      },
                                      [&] { return ++folders < 2; }}));
    QCOMPARE(found, strings({"C:\\A\\a.mp3", "C:\\A\\b.mp3", "C:\\A\\c.mp3"}));
}

void TestFolderWalk::addsEverythingWhileTheWindowGoesOn() {
    PlaylistFixture<FakeFileSystem, YesDialogs> f;
    const QStringList audio = makeTree(f.fs, u"C:\\Lib"_s, 60, 50);
    const auto tester = testModel(f.document);
    // What the window shows at each turn of its event loop.
    int turns = 0;
    bool alwaysInOrder = true;
    QTimer everyTurn;
    QObject::connect(&everyTurn, &QTimer::timeout, [&] {
        ++turns;
        const QStringList shown = f.entries();
        alwaysInOrder = alwaysInOrder &&
                        std::is_sorted(shown.cbegin(), shown.cend(), PathRules::lessForPlaylist);
    });
    everyTurn.start(0);

    FolderTreeAdd add(f.document, f.fs, f.dialogs, u"C:\\Lib"_s);
    QSignalSpy finished(&add, &FolderTreeAdd::finished);
    add.start();
    // The window is not held up: the adds come in later turns of its loop.
    QCOMPARE(f.document.count(), 0);
    QVERIFY(!add.isFinished());
    QVERIFY(waitFor(finished));

    QVERIFY(add.isFinished());
    QCOMPARE(f.entries(), inPlaylistOrder(audio));
    QVERIFY(turns > 0);
    QVERIFY(alwaysInOrder);
    QVERIFY(f.document.isModified());
    QVERIFY(f.dialogs.texts.isEmpty());
}

void TestFolderWalk::setsTheFlagOnlyWhenItAdds_data() {
    QTest::addColumn<QString>("root");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<int>("refusals");
    QTest::addColumn<bool>("modified");

    QTest::newRow("adds one") << "" << strings({"C:\\A\\a.mp3"}) << 0 << true;
    QTest::newRow("every file already present, other case")
        << "" << strings({"c:\\a\\A.MP3", "C:\\A\\B.wav"}) << 0 << false;
    QTest::newRow("every file outside the root") << "D:\\" << QStringList() << 2 << false;
}

void TestFolderWalk::setsTheFlagOnlyWhenItAdds() {
    QFETCH(QString, root);
    QFETCH(QStringList, present);
    QFETCH(int, refusals);
    QFETCH(bool, modified);

    PlaylistFixture<FakeFileSystem, YesDialogs> f;
    addFiles(f.fs, strings({"C:\\A\\a.mp3", "C:\\A\\b.wav"}));
    f.setEntries(root, present);

    QVERIFY(addFolderTree(f, u"C:\\A"_s));

    QCOMPARE(f.document.count(), refusals > 0 ? 0 : 2);
    QCOMPARE(f.dialogs.texts, QStringList(refusals, kNotInRoot));
    QCOMPARE(f.document.isModified(), modified);
}

void TestFolderWalk::refusesFilesOutsideTheRootOneByOneInOrder() {
    // Inside and outside the root alternate through the walk; each refused
    // file gets its own message, shown over a list that holds exactly the
    // files found before it.
    PlaylistFixture<FakeFileSystem, YesDialogs> f;
    makeTree(f.fs, u"C:\\M\\In"_s, 30, 20);
    makeTree(f.fs, u"C:\\M\\Out"_s, 30, 20);
    addFiles(f.fs, strings({"C:\\M\\top.mp3", "C:\\M\\In\\x.wma", "C:\\M\\z.wav"}));
    f.setEntries(u"C:\\M\\In\\"_s, {});
    QList<QStringList> expectedOver;
    QStringList accepted;
    for (const QString& path : listTree(f.fs, u"C:\\M"_s).files) {
        if (f.fs.rules().startsWithPath(path, f.document.rootPath()))
            accepted.append(path.mid(f.document.rootPath().size()));
        else
            expectedOver.append(inPlaylistOrder(accepted));
    }
    QList<QStringList> shownOver;
    f.dialogs.onMessage = [&](const MessageRequest& request) {
        QCOMPARE(request.icon, MessageIcon::Exclamation);
        shownOver.append(f.entries());
    };

    QVERIFY(addFolderTree(f, u"C:\\M"_s));

    QVERIFY(expectedOver.size() > 100);
    QCOMPARE(f.dialogs.texts, QStringList(expectedOver.size(), kNotInRoot));
    QCOMPARE(shownOver, expectedOver);
    QCOMPARE(f.entries(), inPlaylistOrder(accepted));
}

void TestFolderWalk::reportsUnreadableFoldersOnceAtTheEnd_data() {
    QTest::addColumn<QStringList>("unreadable");
    QTest::addColumn<QString>("walked");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("message"); // empty: none

    QTest::newRow("none") << QStringList() << "C:\\A"
                          << strings({"C:\\A\\a.mp3", "C:\\A\\L1\\b.mp3", "C:\\A\\L2\\c.wav",
                                      "C:\\A\\ok\\d.wma"})
                          << "";
    QTest::newRow("one: named with its reason")
        << strings({"C:\\A\\L1"}) << "C:\\A"
        << strings({"C:\\A\\a.mp3", "C:\\A\\L2\\c.wav", "C:\\A\\ok\\d.wma"})
        << "A folder could not be read and was skipped:\nC:\\A\\L1\n\nReason: Permission denied";
    QTest::newRow("two: counted, the first named")
        << strings({"C:\\A\\L1", "C:\\A\\L2"}) << "C:\\A"
        << strings({"C:\\A\\a.mp3", "C:\\A\\ok\\d.wma"})
        << "2 folders could not be read and were skipped. The first was:\nC:\\A\\L1\n\n"
           "Reason: Permission denied";
    QTest::newRow("the walked folder itself is gone")
        << QStringList() << "C:\\Gone" << QStringList()
        << "A folder could not be read and was skipped:\nC:\\Gone\n\nReason: Path not found";
}

void TestFolderWalk::reportsUnreadableFoldersOnceAtTheEnd() {
    QFETCH(QStringList, unreadable);
    QFETCH(QString, walked);
    QFETCH(QStringList, expected);
    QFETCH(QString, message);

    PlaylistFixture<FakeFileSystem, YesDialogs> f;
    addFiles(f.fs,
             strings({"C:\\A\\a.mp3", "C:\\A\\L1\\b.mp3", "C:\\A\\L2\\c.wav", "C:\\A\\ok\\d.wma"}));
    for (const QString& folder : unreadable)
        f.fs.setUnreadable(folder);
    FolderTreeAdd add(f.document, f.fs, f.dialogs, walked);
    QSignalSpy finished(&add, &FolderTreeAdd::finished);
    f.dialogs.onMessage = [&](const MessageRequest& request) {
        QCOMPARE(request.icon, MessageIcon::Exclamation);
        // Shown over the complete list, before the walk counts as finished.
        QCOMPARE(f.entries(), expected);
        QCOMPARE(finished.size(), 0);
    };

    add.start();
    QVERIFY(waitFor(finished));

    QCOMPARE(f.entries(), expected);
    QCOMPARE(f.dialogs.texts, message.isEmpty() ? QStringList() : QStringList{message});
}

void TestFolderWalk::secondWalkLeavesTheFirstUndisturbed() {
    PlaylistFixture<FakeFileSystem, YesDialogs> f;
    const QStringList first = makeTree(f.fs, u"C:\\A"_s, 40, 60);
    const QStringList second = makeTree(f.fs, u"C:\\B"_s, 5, 10);
    const auto tester = testModel(f.document);
    FolderTreeAdd walkA(f.document, f.fs, f.dialogs, u"C:\\A"_s);
    FolderTreeAdd walkB(f.document, f.fs, f.dialogs, u"C:\\B"_s);
    QSignalSpy finishedA(&walkA, &FolderTreeAdd::finished);
    QSignalSpy finishedB(&walkB, &FolderTreeAdd::finished);
    // The user starts another Add Entire Dir as soon as the first entries
    // show.
    QObject context;
    bool startedSecond = false;
    afterEveryChange(f.document, &context, [&] {
        if (!std::exchange(startedSecond, true)) {
            QVERIFY(!walkA.isFinished());
            walkB.start();
        }
    });

    walkA.start();
    QVERIFY(waitFor(finishedA));
    QVERIFY(waitFor(finishedB));

    QVERIFY(startedSecond);
    QCOMPARE(f.entries(), inPlaylistOrder(first + second));
    QCOMPARE(finishedA.size(), 1);
    QVERIFY(f.dialogs.texts.isEmpty());
}

void TestFolderWalk::deletingAWalkUnderWayStopsIt() {
    PlaylistFixture<FakeFileSystem, YesDialogs> f;
    const QStringList audio = makeTree(f.fs, u"C:\\A"_s, 100, 100);
    auto add = std::make_unique<FolderTreeAdd>(f.document, f.fs, f.dialogs, u"C:\\A"_s);
    QSignalSpy finished(add.get(), &FolderTreeAdd::finished);
    QSignalSpy destroyed(add.get(), &QObject::destroyed);
    // The window closes as soon as the first entries show, on its next turn.
    QObject context;
    afterEveryChange(f.document, &context,
                     [&] { QTimer::singleShot(0, &context, [&] { add.reset(); }); });

    add->start();
    QVERIFY(waitFor(destroyed));
    // Whatever the walk still had on its way is dropped with it.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();

    QCOMPARE(finished.size(), 0);
    QVERIFY(f.document.count() > 0);
    const QSet<QString> tree(audio.cbegin(), audio.cend());
    for (const QString& entry : f.entries())
        QVERIFY2(tree.contains(entry), qPrintable(entry));
    const QStringList entries = f.entries();
    QVERIFY(std::is_sorted(entries.cbegin(), entries.cend(), PathRules::lessForPlaylist));
}

void TestFolderWalk::listingWaitsWhileAMessageIsOpen() {
    // Every file is refused, so the window shows a message for each. While a
    // message is open the listing may fill the waiting list, but then waits
    // for the window instead of piling up the whole tree.
    PlaylistFixture<CountingFileSystem, YesDialogs> f;
    constexpr qsizetype kLimit = FolderTreeAdd::kMaxWaiting;
    const int folders = 96;
    const int perFolder = static_cast<int>(3 * kLimit / folders);
    for (int folder = 0; folder < folders; ++folder)
        for (int file = 0; file < perFolder; ++file)
            f.fs.tree.addFile(u"C:\\A\\F%1\\t%2.mp3"_s.arg(folder).arg(file));
    const qsizetype total = qsizetype(folders) * perFolder;
    f.setEntries(u"D:\\"_s, {});
    FolderTreeAdd add(f.document, f.fs, f.dialogs, u"C:\\A"_s);
    QSignalSpy finished(&add, &FolderTreeAdd::finished);

    qsizetype mostWaiting = 0;
    bool filledUp = true;
    f.dialogs.onMessage = [&](const MessageRequest&) {
        // With the box open, let the listing run as far as it will: it
        // reaches a full waiting list or the end of the tree, and stops.
        filledUp = filledUp && f.fs.waitUntil([&](qsizetype found) {
            return found == total || add.waitingCount() >= kLimit;
        });
        mostWaiting = std::max(mostWaiting, add.waitingCount());
    };

    add.start();
    QVERIFY(waitFor(finished));

    QVERIFY(filledUp);
    QCOMPARE(mostWaiting, kLimit);
    QCOMPARE(f.dialogs.texts.size(), total);
    QCOMPARE(f.document.count(), 0);
    QVERIFY(!f.document.isModified());
}

void TestFolderWalk::cancelStopsAtOnceAndKeepsWhatWasAdded_data() {
    QTest::addColumn<bool>("byUser"); // else the window closes
    QTest::newRow("Cancel: says how many were added") << true;
    QTest::newRow("closing: no message") << false;
}

void TestFolderWalk::cancelStopsAtOnceAndKeepsWhatWasAdded() {
    QFETCH(bool, byUser);
    PlaylistFixture<CountingFileSystem, YesDialogs> f;
    const QStringList audio = makeTree(f.fs.tree, u"C:\\A"_s, 60, 50);
    HeldFileSystem held(f.fs);
    // Part-way through the tree, the listing hangs in a read.
    f.fs.beforeFolder = [&](const QString& path) {
        if (path.endsWith(u"\\F30"_s))
            held.hold();
    };
    FolderTreeAdd add(f.document, held, f.dialogs, u"C:\\A"_s);
    QSignalSpy finished(&add, &FolderTreeAdd::finished);

    add.start();
    QTRY_VERIFY(held.heldCalls() > 0);
    QTRY_COMPARE(add.waitingCount(), 0);
    QTest::qWait(50);
    if (byUser)
        add.cancel();
    else
        add.stop();

    // Finished without waiting for the read.
    QCOMPARE(finished.size(), 1);
    const qint64 added = add.addedCount();
    QVERIFY(added > 0 && added < audio.size());
    QCOMPARE(f.document.count(), added);
    QCOMPARE(f.dialogs.texts,
             byUser ? QStringList{u"Add Entire Dir was cancelled. %1 files were added before it "
                                  u"stopped."_s.arg(QLocale().toString(added))}
                    : QStringList());
    held.release();
    QVERIFY(FolderTreeAdd::waitForListings(10000));
    QCoreApplication::processEvents();
    QCOMPARE(f.document.count(), added);
}

QTEST_GUILESS_MAIN(TestFolderWalk)
#include "tst_folder_walk.moc"
