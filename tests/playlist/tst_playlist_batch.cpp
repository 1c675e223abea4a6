// The list keeps the playlist order of the path rules, one add at a time or
// merged in a batch, and views keep their selection and current entry when a
// batch is merged.

#include "playlist/playlist_model.h"

#include <QItemSelectionModel>
#include <QTest>

#include <algorithm>

class TestPlaylistBatch : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void keepsThePlaylistOrder_data();
    void keepsThePlaylistOrder();
    void selectionFollowsItsEntriesThroughAMerge();
};

void TestPlaylistBatch::selectionFollowsItsEntriesThroughAMerge() {
    PlaylistModel playlist(PathRules::posix());
    for (int i = 0; i < 50; ++i)
        playlist.insertSorted(QStringLiteral("m%1").arg(i, 2, 10, QLatin1Char('0')));
    QItemSelectionModel selection(&playlist);
    selection.select(playlist.index(10), QItemSelectionModel::Select);
    selection.select(playlist.index(40), QItemSelectionModel::Select);
    selection.setCurrentIndex(playlist.index(40), QItemSelectionModel::NoUpdate);

    playlist.beginBatch();
    for (int i = 0; i < 100; ++i)
        playlist.insertSorted(
            QStringLiteral("%1%2").arg(i % 2 ? QStringLiteral("a") : QStringLiteral("m1")).arg(i));
    playlist.endBatch();

    QCOMPARE(playlist.count(), 150);
    QStringList selected;
    for (const QModelIndex& at : selection.selectedRows())
        selected.append(at.data().toString());
    selected.sort();
    QCOMPARE(selected, (QStringList{"m10", "m40"}));
    QCOMPARE(selection.currentIndex().data().toString(), QStringLiteral("m40"));
}

void TestPlaylistBatch::keepsThePlaylistOrder_data() {
    QTest::addColumn<bool>("batched");
    QTest::newRow("one at a time") << false;
    QTest::newRow("merged in a batch") << true;
}

void TestPlaylistBatch::keepsThePlaylistOrder() {
    QFETCH(bool, batched);

    // Long shared folders, then names that differ only in case, in accents,
    // by a prefix, or inside a surrogate pair (Deseret letters have case).
    QStringList names;
    const QString folder = QStringLiteral("/music/Some Artist/Some Album/");
    for (const QString& name :
         {QStringLiteral("b.mp3"), QStringLiteral("B.mp3"), QStringLiteral("a.mp3"),
          QStringLiteral("A.MP3"), QStringLiteral("a"), QStringLiteral("ab"),
          QStringLiteral("\u00c9t\u00e9.mp3"), QStringLiteral("\u00e9t\u00e9.mp3"),
          QStringLiteral("Ete.mp3"), QStringLiteral("x\U00010428a"), QStringLiteral("x\U00010400b"),
          QStringLiteral("x\U00010400a"), QStringLiteral("_.mp3"), QStringLiteral("Z")}) {
        names.append(folder + name);
        names.append(QStringLiteral("/Music/") + name);
        names.append(name);
    }
    PlaylistModel playlist(PathRules::posix());
    if (batched)
        playlist.beginBatch();
    for (const QString& name : names)
        playlist.insertSorted(name);
    if (batched)
        playlist.endBatch();

    QStringList expected = names;
    std::stable_sort(expected.begin(), expected.end(), PathRules::lessForPlaylist);
    QCOMPARE(playlist.entries(), expected);
}

QTEST_APPLESS_MAIN(TestPlaylistBatch)
#include "tst_playlist_batch.moc"
