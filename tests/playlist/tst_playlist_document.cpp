// The playlist document: the add rule (root test, duplicate test, order)
// under Windows and POSIX rules, adds merged in batches, the duplicate index
// through removes, re-roots and clears, the model as views see it, and the
// signals the window listens to.

#include "platform/entry_lookup.h"
#include "playlist/entry_fingerprints.h"
#include "playlist_fixture.h"

#include <QAbstractItemModelTester>
#include <QItemSelectionModel>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <memory>
#include <numeric>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

using AddResult = PlaylistDocument::AddResult;

std::unique_ptr<QAbstractItemModelTester> testModel(PlaylistDocument& document) {
    return std::make_unique<QAbstractItemModelTester>(
        document.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
}

bool inPlaylistOrder(const QStringList& entries) {
    return std::is_sorted(entries.cbegin(), entries.cend(), PathRules::lessForPlaylist);
}

} // namespace

Q_DECLARE_METATYPE(PlaylistDocument::AddResult)

class TestPlaylistDocument : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void addFile_data();
    void addFile();
    void addsKeepThePlaylistOrder_data();
    void addsKeepThePlaylistOrder();
    void batchedAddsLandWhereSingleAddsWould();
    void selectionFollowsItsEntriesThroughAMerge();
    void duplicateIndexFollowsRemoveReRootAndClear();
    void fingerprintsFollowAddsAndRemoves();
    void modelStaysConsistentThroughEveryKindOfChange();
    void modifiedChangedOnlyWhenTheValueChanges();
    void filePathChangedOnlyWhenThePathChanges();
    void rootPathAlwaysEndsInASeparator_data();
    void rootPathAlwaysEndsInASeparator();
    void reRootKeepsEveryFullPath_data();
    void reRootKeepsEveryFullPath();
    void refusedRootChangeChangesNothing();
    void directivesTravelWithTheirEntries_data();
    void directivesTravelWithTheirEntries();
    void reRootLeavesUrlsAndKeepsOrder_data();
    void reRootLeavesUrlsAndKeepsOrder();
};

void TestPlaylistDocument::addFile_data() {
    QTest::addColumn<bool>("windows");
    QTest::addColumn<QString>("root");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QString>("file");
    QTest::addColumn<AddResult>("result");
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("no root keeps the path") << true << "" << QStringList() << "C:\\Music\\a.mp3"
                                            << AddResult::Added << strings({"C:\\Music\\a.mp3"});
    QTest::newRow("root cut ignoring case, the rest keeps its case")
        << true << "C:\\Music\\" << QStringList() << "c:\\MUSIC\\Artist\\A.mp3" << AddResult::Added
        << strings({"Artist\\A.mp3"});
    QTest::newRow("sibling folder with a longer name is outside")
        << true << "C:\\Music\\" << QStringList() << "C:\\Music2\\a.mp3" << AddResult::OutsideRoot
        << QStringList();
    QTest::newRow("root folder without its separator is outside")
        << true << "C:\\Music\\" << QStringList() << "C:\\Music" << AddResult::OutsideRoot
        << QStringList();
    QTest::newRow("duplicate ignoring case")
        << true << "C:\\Music\\" << strings({"Artist\\a.mp3"}) << "C:\\Music\\ARTIST\\A.MP3"
        << AddResult::AlreadyPresent << strings({"Artist\\a.mp3"});
    QTest::newRow("path kept untrimmed") << true << "" << QStringList() << " C:\\a.mp3 "
                                         << AddResult::Added << strings({" C:\\a.mp3 "});
    // On Linux names differ by case: both files are real and distinct.
    QTest::newRow("posix: other case is another entry")
        << false << "/music/" << strings({"Artist/a.mp3"}) << "/music/ARTIST/A.MP3"
        << AddResult::Added << strings({"ARTIST/A.MP3", "Artist/a.mp3"});
    QTest::newRow("posix: root compared exactly")
        << false << "/music/" << QStringList() << "/Music/a.mp3" << AddResult::OutsideRoot
        << QStringList();
    QTest::newRow("posix: relative cut")
        << false << "/music/" << QStringList() << "/music/Rock/a.mp3" << AddResult::Added
        << strings({"Rock/a.mp3"});
    QTest::newRow("posix: root with a trailing space in a folder name")
        << false << "/m/Mix /" << QStringList() << "/m/Mix /a.mp3" << AddResult::Added
        << strings({"a.mp3"});
    // Written as is, the entry would read back as a directive line.
    QTest::newRow("posix: entry beginning with # is made ./#")
        << false << "/m/" << QStringList() << "/m/#1 Hits/a.mp3" << AddResult::Added
        << strings({"./#1 Hits/a.mp3"});
    QTest::newRow("entry beginning with # is made .\\#")
        << true << "C:\\M\\" << QStringList() << "c:\\m\\#1 Hits\\a.mp3" << AddResult::Added
        << strings({".\\#1 Hits\\a.mp3"});
    QTest::newRow("posix: the same file again is a duplicate")
        << false << "/m/" << strings({"./#1 Hits/a.mp3"}) << "/m/#1 Hits/a.mp3"
        << AddResult::AlreadyPresent << strings({"./#1 Hits/a.mp3"});
    QTest::newRow("posix: # deeper in the path stays")
        << false << "/m/" << QStringList() << "/m/Hits/#1.mp3" << AddResult::Added
        << strings({"Hits/#1.mp3"});
}

void TestPlaylistDocument::addFile() {
    QFETCH(bool, windows);
    QFETCH(QString, root);
    QFETCH(QStringList, present);
    QFETCH(QString, file);
    QFETCH(AddResult, result);
    QFETCH(QStringList, entries);

    const PathRules rules = windows ? PathRules::windows() : PathRules::posix();
    PlaylistFixture<> f(rules);
    f.setEntries(root, present);
    QSignalSpy modified(&f.document, &PlaylistDocument::modifiedChanged);
    // The entries held apart from the playlist, as a worker holds them, see
    // the same duplicates.
    const OrderedEntries held(rules, f.document.allEntries(), OrderedEntries::InOrder{});
    const std::optional<QString> entry = f.document.entryForPath(file);
    QCOMPARE(entry && held.contains(*entry), result == AddResult::AlreadyPresent);

    QCOMPARE(f.document.addFile(file), result);

    QCOMPARE(f.entries(), entries);
    QCOMPARE(f.document.rootPath(), root);
    // Only an add marks the playlist changed; a refusal or a duplicate leaves
    // the flag as it was.
    QCOMPARE(f.document.isModified(), result == AddResult::Added);
    QCOMPARE(modified.size(), result == AddResult::Added ? 1 : 0);
}

void TestPlaylistDocument::addsKeepThePlaylistOrder_data() {
    QTest::addColumn<bool>("batched");
    QTest::newRow("one at a time") << false;
    QTest::newRow("merged in a batch") << true;
}

void TestPlaylistDocument::addsKeepThePlaylistOrder() {
    QFETCH(bool, batched);

    // Long shared folders, then names that differ only in case, in accents,
    // by a prefix, or inside a surrogate pair (Deseret letters have case).
    QStringList names;
    const QString folder = u"/music/Some Artist/Some Album/"_s;
    for (const QString& name :
         {u"b.mp3"_s, u"B.mp3"_s, u"a.mp3"_s, u"A.MP3"_s, u"a"_s, u"ab"_s, u"\u00c9t\u00e9.mp3"_s,
          u"\u00e9t\u00e9.mp3"_s, u"Ete.mp3"_s, QStringLiteral("x\U00010428a"),
          QStringLiteral("x\U00010400b"), QStringLiteral("x\U00010400a"), u"_.mp3"_s, u"Z"_s}) {
        names.append(folder + name);
        names.append(u"/Music/"_s + name);
        names.append(name);
    }
    PlaylistFixture<> f(PathRules::posix());
    {
        std::optional<PlaylistDocument::Batch> batch;
        if (batched)
            batch.emplace(f.document);
        for (const QString& name : names)
            QCOMPARE(f.document.addFile(name), AddResult::Added);
    }

    QStringList expected = names;
    std::stable_sort(expected.begin(), expected.end(), PathRules::lessForPlaylist);
    QCOMPARE(f.entries(), expected);

    // The documented example: later adds go to their sorted place.
    PlaylistFixture<> w;
    for (const char* path : {"C:\\b.mp3", "C:\\A.mp3", "C:\\c.mp3"})
        w.document.addFile(QString::fromLatin1(path));
    QCOMPARE(w.entries(), strings({"C:\\A.mp3", "C:\\b.mp3", "C:\\c.mp3"}));
}

void TestPlaylistDocument::batchedAddsLandWhereSingleAddsWould() {
    // Many adds merged in batches must land exactly where single adds would,
    // names equal but for case included, whether a flush merges many or
    // inserts a few.
    QRandomGenerator random(7);
    QStringList names;
    for (int i = 0; i < 3000; ++i) {
        QString name = u"/m/%1/x%2.mp3"_s.arg(random.bounded(50)).arg(random.bounded(400));
        if (random.bounded(3) == 0)
            name = name.toUpper();
        names.append(name);
    }
    PlaylistFixture<> single(PathRules::posix());
    PlaylistFixture<> batched(PathRules::posix());
    const auto tester = testModel(batched.document);
    for (const QString& name : names)
        single.document.addFile(name);
    batched.document.addFile(names.first());
    {
        const PlaylistDocument::Batch batch(batched.document);
        for (qsizetype i = 1; i < names.size(); ++i) {
            batched.document.addFile(names[i]);
            // Waiting adds count for the duplicate test already.
            QCOMPARE(batched.document.addFile(names[i]), AddResult::AlreadyPresent);
            if (i % 700 == 0 || i % 701 == 0)
                batched.document.flushPendingEntries(); // large and tiny flushes both
        }
    }
    QCOMPARE(batched.entries(), single.entries());
    QVERIFY(inPlaylistOrder(single.entries()));
}

void TestPlaylistDocument::selectionFollowsItsEntriesThroughAMerge() {
    PlaylistFixture<> f(PathRules::posix());
    for (int i = 0; i < 50; ++i)
        f.document.addFile(u"m%1"_s.arg(i, 2, 10, QLatin1Char('0')));
    QItemSelectionModel selection(f.document.model());
    selection.select(f.document.model()->index(10), QItemSelectionModel::Select);
    selection.select(f.document.model()->index(40), QItemSelectionModel::Select);
    selection.setCurrentIndex(f.document.model()->index(40), QItemSelectionModel::NoUpdate);

    {
        const PlaylistDocument::Batch batch(f.document);
        // Some equal to selected entries: they go after them.
        for (int i = 0; i < 100; ++i)
            f.document.insertEntry((i % 2 ? u"a"_s : u"m1"_s) + QString::number(i));
    }

    QCOMPARE(f.document.count(), 150);
    QStringList selected;
    for (const QModelIndex& at : selection.selectedRows())
        selected.append(at.data().toString());
    selected.sort();
    QCOMPARE(selected, strings({"m10", "m40"}));
    QCOMPARE(selection.currentIndex().data().toString(), u"m40"_s);
}

// Keys added more than once, and removed in any order, runs of taken slots
// wrapping round the table's end: every key still held is found, and a key
// whose last copy went is found no more (a fingerprint shared by chance
// aside, which 32 bits make vanishingly rare among a few hundred keys).
void TestPlaylistDocument::fingerprintsFollowAddsAndRemoves() {
    EntryFingerprints prints;
    QHash<QString, int> held;
    QRandomGenerator random(18);
    for (int step = 0; step < 20000; ++step) {
        const QString key = u"/m/%1.mp3"_s.arg(random.bounded(300));
        if (random.bounded(3) == 0) {
            prints.remove(key);
            if (held.value(key) > 0 && --held[key] == 0)
                held.remove(key);
        } else {
            prints.add(key);
            ++held[key];
        }
        if (step % 97 == 0) {
            for (int k = 0; k < 300; ++k) {
                const QString probe = u"/m/%1.mp3"_s.arg(k);
                QCOMPARE(prints.mayContain(probe), held.contains(probe));
            }
        }
    }
    QCOMPARE(prints.size(), std::accumulate(held.cbegin(), held.cend(), qsizetype(0)));
}

void TestPlaylistDocument::duplicateIndexFollowsRemoveReRootAndClear() {
    PlaylistFixture<> f;
    f.setEntries({}, strings({"C:\\M\\a", "C:\\M\\b", "C:\\M\\c", "C:\\M\\d", "C:\\M\\b"}));

    f.document.removeRows({4, 1, 2}); // a b b c d -> a c
    QCOMPARE(f.entries(), strings({"C:\\M\\a", "C:\\M\\c"}));
    QCOMPARE(f.document.addFile(u"c:\\m\\B"_s), AddResult::Added);
    QCOMPARE(f.document.addFile(u"C:\\M\\C"_s), AddResult::AlreadyPresent);

    // Re-rooting rewrites every entry: the index must know the new texts and
    // forget the old ones.
    QVERIFY(f.document.changeRoot(u"C:\\M\\"_s));
    QCOMPARE(f.entries(), strings({"a", "B", "c"}));
    QCOMPARE(f.document.addFile(u"C:\\M\\A"_s), AddResult::AlreadyPresent);
    QVERIFY(f.document.changeRoot(QString()));
    QCOMPARE(f.document.addFile(u"A"_s), AddResult::Added);
    QCOMPARE(f.document.addFile(u"c:\\m\\b"_s), AddResult::AlreadyPresent);

    f.document.startUntitled(f.document.filePath());
    QCOMPARE(f.document.count(), 0);
    QCOMPARE(f.document.addFile(u"C:\\M\\c"_s), AddResult::Added);
}

void TestPlaylistDocument::modelStaysConsistentThroughEveryKindOfChange() {
    PlaylistFixture<> f(PathRules::posix());
    const auto tester = testModel(f.document);
    // A view sees the same rows, in order, after every step.
    QStringList viewRows;
    const auto checkView = [&] {
        viewRows.clear();
        for (int row = 0; row < f.document.model()->rowCount(); ++row)
            viewRows.append(f.document.model()->index(row).data().toString());
        QCOMPARE(viewRows, f.entries());
        QVERIFY(inPlaylistOrder(f.entries()));
    };

    for (const char* name : {"/m/b.mp3", "/m/a.mp3", "/m/c.mp3"})
        f.document.addFile(QString::fromLatin1(name));
    checkView();
    for (const int many : {5, 40}) { // a few are inserted one by one, many merged
        const PlaylistDocument::Batch batch(f.document);
        for (int i = 0; i < many; ++i)
            f.document.addFile(u"/m/%1/%2.mp3"_s.arg(many).arg((i * 7919) % 97));
    }
    checkView();
    QCOMPARE(f.document.count(), 3 + 5 + 40);
    f.document.removeRows({0, 1, 2, 10, 20, 21, 47});
    checkView();
    QVERIFY(f.document.changeRoot(u"/m/"_s));
    checkView();
    QVERIFY(f.document.changeRoot(u"/"_s));
    checkView();
    QVERIFY(f.document.changeRoot(QString()));
    checkView();
    QCOMPARE(f.document.count(), 41);
    f.document.startUntitled(f.document.filePath());
    checkView();
    QCOMPARE(f.document.model()->rowCount(), 0);
}

void TestPlaylistDocument::modifiedChangedOnlyWhenTheValueChanges() {
    PlaylistFixture<> f;
    QSignalSpy modified(&f.document, &PlaylistDocument::modifiedChanged);

    f.document.markSaved(f.document.filePath(), std::nullopt);
    QCOMPARE(modified.size(), 0);
    f.document.addFile(u"C:\\a.mp3"_s);
    f.document.addFile(u"C:\\b.mp3"_s);
    f.document.markModifiedWithoutChange();
    QCOMPARE(modified.size(), 1);
    QCOMPARE(modified.at(0).at(0).toBool(), true);
    f.document.markSaved(f.document.filePath(), std::nullopt);
    f.document.markSaved(f.document.filePath(), std::nullopt);
    QCOMPARE(modified.size(), 2);
    QCOMPARE(modified.at(1).at(0).toBool(), false);

    // A duplicate and a file outside the root change nothing.
    f.document.addFile(u"c:\\A.MP3"_s);
    f.document.setRootPath(u"C:\\"_s);
    f.document.addFile(u"D:\\a.mp3"_s);
    QCOMPARE(modified.size(), 2);
    QVERIFY(!f.document.isModified());
}

void TestPlaylistDocument::filePathChangedOnlyWhenThePathChanges() {
    PlaylistFixture<> f;
    QSignalSpy filePath(&f.document, &PlaylistDocument::filePathChanged);

    f.document.unbindFrom(u"C:\\untitled.m3u"_s);
    f.document.unbindFrom(u"C:\\untitled.m3u"_s);
    f.document.markSaved(u"D:\\mix.m3u"_s, std::nullopt);

    QCOMPARE(filePath.size(), 2);
    QCOMPARE(filePath.at(0).at(0).toString(), u"C:\\untitled.m3u"_s);
    QCOMPARE(filePath.at(1).at(0).toString(), u"D:\\mix.m3u"_s);
    QCOMPARE(f.document.filePath(), u"D:\\mix.m3u"_s);
    // The playlist's content is another matter.
    QVERIFY(!f.document.isModified());
}

void TestPlaylistDocument::rootPathAlwaysEndsInASeparator_data() {
    QTest::addColumn<bool>("windows");
    QTest::addColumn<QString>("root");
    QTest::addColumn<QString>("stored");

    QTest::newRow("folder gets its separator") << true << "C:\\Music"
                                               << "C:\\Music\\";
    QTest::newRow("drive top folder unchanged") << true << "C:\\"
                                                << "C:\\";
    QTest::newRow("none") << true << ""
                          << "";
    QTest::newRow("posix folder") << false << "/m/Mix "
                                  << "/m/Mix /";
}

void TestPlaylistDocument::rootPathAlwaysEndsInASeparator() {
    QFETCH(bool, windows);
    QFETCH(QString, root);
    QFETCH(QString, stored);

    PlaylistFixture<> f(windows ? PathRules::windows() : PathRules::posix());
    f.document.setRootPath(windows ? u"E:\\Old\\"_s : u"/old/"_s);
    QSignalSpy rootPath(&f.document, &PlaylistDocument::rootPathChanged);

    f.document.setRootPath(root);
    f.document.setRootPath(stored); // the same root again: no signal

    QCOMPARE(f.document.rootPath(), stored);
    QCOMPARE(rootPath.size(), 1);
    QCOMPARE(rootPath.at(0).at(0).toString(), stored);

    // A re-root tells about the new root the same way.
    rootPath.clear();
    QVERIFY(f.document.changeRoot(QString()));
    QCOMPARE(rootPath.size(), stored.isEmpty() ? 0 : 1);
    QVERIFY(f.document.isModified());
}

void TestPlaylistDocument::reRootKeepsEveryFullPath_data() {
    QTest::addColumn<bool>("windows");
    QTest::addColumn<QString>("root");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("newRoot");
    QTest::addColumn<QString>("storedRoot");

    QTest::newRow("deeper") << true << "C:\\Music\\" << strings({"Rock\\a.mp3", "Rock\\b.mp3"})
                            << "C:\\Music\\Rock\\"
                            << "C:\\Music\\Rock\\";
    QTest::newRow("higher") << true << "C:\\Music\\Rock\\" << strings({"a.mp3"}) << "C:\\"
                            << "C:\\";
    QTest::newRow("cleared") << true << "C:\\Music\\" << strings({"a.mp3", "Jazz\\b.mp3"}) << ""
                             << "";
    QTest::newRow("new root without its separator")
        << true << "" << strings({"C:\\Music\\a.mp3", "c:\\music\\B.mp3"}) << "C:\\Music"
        << "C:\\Music\\";
    QTest::newRow("posix, without its separator")
        << false << "/m/" << strings({"Mix /a.mp3", "Mix /b.mp3"}) << "/m/Mix "
        << "/m/Mix /";
}

void TestPlaylistDocument::reRootKeepsEveryFullPath() {
    QFETCH(bool, windows);
    QFETCH(QString, root);
    QFETCH(QStringList, entries);
    QFETCH(QString, newRoot);
    QFETCH(QString, storedRoot);

    PlaylistFixture<> f(windows ? PathRules::windows() : PathRules::posix());
    f.setEntries(root, entries);
    QStringList before;
    for (const QString& entry : f.entries())
        before.append(f.document.rootPath() + entry);

    QVERIFY(f.document.changeRoot(newRoot));

    QCOMPARE(f.document.rootPath(), storedRoot);
    QStringList after;
    for (const QString& entry : f.entries()) {
        // Relative entries never begin with a separator.
        if (!storedRoot.isEmpty())
            QVERIFY(!entry.startsWith(f.document.rules().separator()));
        after.append(f.document.rootPath() + entry);
    }
    QVERIFY(f.document.rules().samePath(after.join(u'|'), before.join(u'|')));
}

void TestPlaylistDocument::refusedRootChangeChangesNothing() {
    PlaylistFixture<> f;
    f.setEntries({}, strings({"C:\\Music\\Rock\\a.mp3", "D:\\x.mp3"}));
    const auto tester = testModel(f.document);
    QSignalSpy modified(&f.document, &PlaylistDocument::modifiedChanged);
    QSignalSpy rootPath(&f.document, &PlaylistDocument::rootPathChanged);
    QSignalSpy rows(f.document.model(), &QAbstractItemModel::dataChanged);

    QVERIFY(!f.document.changeRoot(u"C:\\Music\\"_s));

    QCOMPARE(f.entries(), strings({"C:\\Music\\Rock\\a.mp3", "D:\\x.mp3"}));
    QCOMPARE(f.document.rootPath(), QString());
    QVERIFY(!f.document.isModified());
    QCOMPARE(modified.size(), 0);
    QCOMPARE(rootPath.size(), 0);
    QCOMPARE(rows.size(), 0);
}

void TestPlaylistDocument::directivesTravelWithTheirEntries_data() {
    QTest::addColumn<int>("count");
    QTest::newRow("a few, inserted one by one") << 6;
    QTest::newRow("many, merged") << 300;
}

// Whatever reorders or drops entries, each keeps the lines that stood above
// it in its file; new adds carry none.
void TestPlaylistDocument::directivesTravelWithTheirEntries() {
    QFETCH(int, count);
    PlaylistFixture<> f(PathRules::posix());
    const auto tester = testModel(f.document);
    const auto directivesOf = [](const QString& entry) {
        return QStringList{u"#EXTINF:1,"_s + entry, u"#EXTGRP:"_s + entry.right(1)};
    };
    QStringList inFileOrder;
    for (int i = 0; i < count; ++i)
        inFileOrder.append(u"/m/%1.mp3"_s.arg((i * 7919) % 1000, 3, 10, QLatin1Char('0')));
    f.document.insertEntry(u"/m/zz.mp3"_s); // already there, without directives
    {
        const PlaylistDocument::Batch batch(f.document);
        for (const QString& entry : std::as_const(inFileOrder))
            f.document.insertEntry(entry, directivesOf(entry));
    }
    QCOMPARE(f.document.addFile(u"/m/000a.mp3"_s), AddResult::Added);
    const auto check = [&] {
        QCOMPARE(f.document.directives().size(), f.document.count());
        for (int row = 0; row < f.document.count(); ++row) {
            const QString& entry = f.document.entry(row);
            const QString path = f.document.rootPath() + entry;
            const QStringList expected =
                inFileOrder.contains(path) ? directivesOf(path) : QStringList();
            QCOMPARE(f.document.directives(row), expected);
            const QModelIndex at = f.document.model()->index(row);
            QCOMPARE(at.data(PlaylistModel::DirectivesRole).toStringList(), expected);
            // The tooltip shows the entry as its file has it.
            QCOMPARE(at.data(Qt::ToolTipRole).toString(),
                     (expected + QStringList{entry}).join(QLatin1Char('\n')));
            QCOMPARE(at.data().toString(), entry);
        }
    };
    check();
    QVERIFY(inPlaylistOrder(f.entries()));

    f.document.removeRows({0, 2, 3});
    check();
    QVERIFY(f.document.changeRoot(u"/m/"_s));
    check();
    QVERIFY(f.document.changeRoot(QString()));
    check();
}

void TestPlaylistDocument::reRootLeavesUrlsAndKeepsOrder_data() {
    QTest::addColumn<QString>("root");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("newRoot");
    QTest::addColumn<QStringList>("expected");

    const QStringList urls = strings({"file:///m/c.mp3", "http://radio/x"});
    QTest::newRow("cleared: URLs stay, ./# loses its escape")
        << "/m/" << urls + strings({"./#1 Hits/b.mp3", "a.mp3", "z.mp3"}) << ""
        << strings(
               {"/m/#1 Hits/b.mp3", "/m/a.mp3", "/m/z.mp3", "file:///m/c.mp3", "http://radio/x"});
    QTest::newRow("set: entries cut, URLs stay, # escaped")
        << "" << urls + strings({"/m/#1 Hits/b.mp3", "/m/a.mp3", "/m/z.mp3"}) << "/m/"
        << strings({"./#1 Hits/b.mp3", "a.mp3", "file:///m/c.mp3", "http://radio/x", "z.mp3"});
    QTest::newRow("into the # folder")
        << "/m/" << urls + strings({"./#1 Hits/b.mp3"}) << "/m/#1 Hits"
        << strings({"b.mp3", "file:///m/c.mp3", "http://radio/x"});
}

// A URL names no file below any root: re-rooting around it must neither
// refuse nor rewrite it.
void TestPlaylistDocument::reRootLeavesUrlsAndKeepsOrder() {
    QFETCH(QString, root);
    QFETCH(QStringList, entries);
    QFETCH(QString, newRoot);
    QFETCH(QStringList, expected);
    PlaylistFixture<> f(PathRules::posix());
    const auto tester = testModel(f.document);
    f.document.setRootPath(root);
    for (const QString& entry : entries) // each tagged with its text as it was
        f.document.insertEntry(entry, {u"#"_s + entry});
    QItemSelectionModel selection(f.document.model());
    selection.select(f.document.model()->index(0), QItemSelectionModel::Select);
    const QString selected = f.document.entry(0);

    QVERIFY(f.document.changeRoot(newRoot));

    QCOMPARE(f.entries(), expected);
    QVERIFY(inPlaylistOrder(f.entries()));
    QCOMPARE(selection.selectedRows().size(), 1);
    const int selectedRow = selection.selectedRows().first().row();
    QCOMPARE(f.document.directives(selectedRow), QStringList{u"#"_s + selected});
    for (int row = 0; row < f.document.count(); ++row) {
        const QString before = f.document.directives(row).first().mid(1);
        if (isUrlEntry(before))
            QCOMPARE(f.document.entry(row), before);
    }
}

QTEST_APPLESS_MAIN(TestPlaylistDocument)
#include "tst_playlist_document.moc"
