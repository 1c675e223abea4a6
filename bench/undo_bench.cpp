// Undo and Redo on big playlists, as the window does them: Add Entire Dir of
// a large tree as one step, then Undo and Redo of it; a scattered selection
// removed (the view's selection read included) and the removal undone, on a
// long and on a very long playlist. Each is timed on the GUI thread, wall
// and CPU; the memory a step keeps is set against the entries it holds.
//
//   bench_undo [--files N] [--folders N] [--remove N] [--long N] [--long-remove N]
//
// Exits non-zero only when a step does not give the playlist back.

#include "bench_support.h"
#include "main_window/playlist_history.h"
#include "main_window/playlist_view.h"
#include "platform/native_file_system.h"
#include "playlist/add_commands.h"
#include "playlist/folder_walk.h"
#include "playlist/playlist_document.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QItemSelectionModel>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QUndoStack>

#include <cstdio>
#include <malloc.h>
#include <set>

namespace {

using namespace bench;

double heapMb() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
}

// Runs `work` on this (the GUI) thread and prints its wall and CPU time.
template <typename Work> double timed(const char* what, double targetMs, Work work) {
    const Clock::time_point start = Clock::now();
    const double cpu = threadCpuMs();
    work();
    const double ms = millisecondsSince(start);
    std::printf("  %-44s %8.1f ms wall %8.1f ms CPU   (target < %.0f ms)\n", what, ms,
                threadCpuMs() - cpu, targetMs);
    return ms;
}

struct Window {
    Window()
        : history(document, *view.selectionModel()) {}
    PlaylistDocument document{PathRules::posix()};
    PlaylistView view;
    PlaylistHistory history;
    QUndoStack& stack() { return history.stack(); }
};

PlaylistView& shown(PlaylistView& view, PlaylistDocument& document) {
    view.setModel(document.model());
    view.resize(480, 640);
    view.show();
    return view;
}

bool addEntireDirThenUndo(int files, int folders) {
    QTemporaryDir dir;
    for (int folder = 0; folder < folders; ++folder)
        QDir().mkpath(dir.filePath(QStringLiteral("Artist %1").arg(folder)));
    for (int file = 0; file < files; ++file) {
        QFile(dir.filePath(QStringLiteral("Artist %1/Track %2 of the album.mp3")
                               .arg(file % folders)
                               .arg(file)))
            .open(QIODevice::WriteOnly);
    }
    PlaylistDocument document(PathRules::posix());
    PlaylistView view;
    shown(view, document);
    PlaylistHistory history(document, *view.selectionModel());
    NativeFileSystem fs;
    PrintedDialogs dialogs;

    std::printf("Add Entire Dir of %d files, then Undo and Redo:\n", files);
    const double heapBefore = heapMb();
    {
        FolderTreeAdd add(document, fs, dialogs, dir.path());
        QEventLoop loop;
        QObject::connect(&add, &FolderTreeAdd::finished, &loop, &QEventLoop::quit);
        const int step = history.begin(PlaylistHistory::Kind::Add);
        const Clock::time_point start = Clock::now();
        add.start();
        loop.exec();
        history.end(step);
        std::printf("  %-44s %8.1f ms wall\n", "the walk (one step)", millisecondsSince(start));
    }
    const QStringList added = document.entries();
    const double heapDone = heapMb();
    timed("Undo", 100, [&] { history.stack().undo(); });
    const bool undone = document.count() == 0;
    const double heapUndone = heapMb();
    timed("Redo", 100, [&] { history.stack().redo(); });
    const bool redone = document.entries() == added;
    history.stack().clear();
    const double heapWithoutStep = heapMb();
    const double entriesMb = heapWithoutStep - heapBefore;
    const double stepMb = heapDone - heapWithoutStep;
    std::printf("  entries %.1f MB; the step keeps %.2f MB (%.1f%%, target < 10%%); "
                "undone, the process holds %.1f MB more than done (the step holds the "
                "entries themselves)\n",
                entriesMb, stepMb, entriesMb > 0 ? 100.0 * stepMb / entriesMb : 0.0,
                heapUndone - heapDone);
    return undone && redone && added.size() == files;
}

bool removeScattered(int count, int removed) {
    PlaylistDocument document(PathRules::posix());
    PlaylistView view;
    shown(view, document);
    PlaylistHistory history(document, *view.selectionModel());
    {
        const PlaylistDocument::Batch batch(document);
        document.reserveEntries(count);
        for (int i = 0; i < count; ++i)
            document.insertEntry(QStringLiteral("/music/Artist %1/Track %2 of the album.mp3")
                                     .arg(i / 50, 5, 10, QLatin1Char('0'))
                                     .arg(i, 7, 10, QLatin1Char('0')));
    }
    const QStringList before = document.entries();
    // Scattered rows, none next to another: one range each.
    std::set<int> rows;
    QRandomGenerator random(17);
    while (static_cast<int>(rows.size()) < removed) {
        const int row = static_cast<int>(random.bounded(count / 2)) * 2;
        rows.insert(row);
    }
    QItemSelection selection;
    for (int row : rows)
        selection.append(QItemSelectionRange(document.model()->index(row)));
    view.selectionModel()->select(selection, QItemSelectionModel::Select);

    std::printf("Remove %d scattered rows of %d, then Undo:\n", removed, count);
    const double target = count > 200000 ? 200 : 100;
    timed("Remove Selected Items (selection read too)", target, [&] {
        history.run(PlaylistHistory::Kind::Remove,
                    [&] { removeEntries(document, view.selectedRowNumbers()); });
    });
    const bool gone = document.count() == count - removed;
    timed("Undo (selection restored too)", target, [&] { history.stack().undo(); });
    return gone && document.entries() == before &&
           view.selectionModel()->selection().size() == removed;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption files(QStringLiteral("files"), QStringLiteral("files walked"),
                                   QStringLiteral("n"), QStringLiteral("100000"));
    const QCommandLineOption folders(QStringLiteral("folders"), QStringLiteral("their folders"),
                                     QStringLiteral("n"), QStringLiteral("2000"));
    const QCommandLineOption remove(QStringLiteral("remove"), QStringLiteral("rows removed"),
                                    QStringLiteral("n"), QStringLiteral("10000"));
    const QCommandLineOption longList(QStringLiteral("long"), QStringLiteral("long playlist"),
                                      QStringLiteral("n"), QStringLiteral("1000000"));
    const QCommandLineOption longRemove(QStringLiteral("long-remove"),
                                        QStringLiteral("rows removed of it"), QStringLiteral("n"),
                                        QStringLiteral("1000"));
    parser.addOptions({files, folders, remove, longList, longRemove});
    parser.process(app);
    const int fileCount = parser.value(files).toInt();
    bool ok = addEntireDirThenUndo(fileCount, std::max(1, parser.value(folders).toInt()));
    ok = removeScattered(fileCount, std::min(parser.value(remove).toInt(), fileCount / 2)) && ok;
    const int longCount = parser.value(longList).toInt();
    ok =
        removeScattered(longCount, std::min(parser.value(longRemove).toInt(), longCount / 2)) && ok;
    std::printf("peak memory %.1f MB\n", peakMemoryMb());
    if (!ok)
        std::fprintf(stderr, "a step did not give the playlist back\n");
    return ok ? 0 : 1;
}
