// Find Moved Files over a library that moved as a whole: N missing entries,
// every one found in an N-file tree, timed against Add Entire Dir of the
// same tree in the same run. Also how long the window's thread is held at
// a time while N entries are looked at again (Remove Missing Entries,
// answered No), while the whole search runs, the rewrite included, and while
// Remove Missing Entries removes all N; how long the rewrite's Undo and Redo
// take.
//
//   bench_find_moved_files [--files N] [--folders N] [--rounds N] [--reordered] [--view]
//
// --reordered: the entries lie in folders whose order differs from the
// tree's, so the rewritten entries must be sorted again. --view: the playlist
// shows in the window's list view.
//
// Exits non-zero when an entry was not rewritten to its file's new path.

#include "bench_application.h"
#include "bench_support.h"
#include "main_window/playlist_view.h"
#include "platform/native_file_system.h"
#include "playlist/find_moved_files.h"
#include "playlist/folder_walk.h"
#include "playlist/playlist_document.h"
#include "playlist/remove_missing_entries.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QThreadPool>

#include <algorithm>
#include <memory>

#include <fcntl.h>
#include <unistd.h>

namespace {

using namespace bench;

struct Options {
    int files = 100000;
    int folders = 2000;
    int rounds = 3;
    bool reordered = false;
    bool view = false;
};

// The library's files below `top`, relative: "Artist 007/Album 0123/Track 004567.mp3".
QStringList libraryFiles(const Options& options) {
    const int artists = std::max(1, options.folders / 50);
    QStringList files;
    files.reserve(options.files);
    for (int i = 0; i < options.files; ++i) {
        const int folder = i % options.folders;
        files.append(QStringLiteral("Artist %1/Album %2/Track %3.mp3")
                         .arg(folder % artists, 3, 10, QLatin1Char('0'))
                         .arg(folder, 4, 10, QLatin1Char('0'))
                         .arg(i, 6, 10, QLatin1Char('0')));
    }
    return files;
}

bool build(const QString& top, const QStringList& files) {
    for (const QString& file : files) {
        const QString path = top + QLatin1Char('/') + file;
        if (!QDir().mkpath(QFileInfo(path).path()))
            return false;
        const int fd = ::open(QFile::encodeName(path).constData(), O_CREAT | O_WRONLY, 0644);
        if (fd < 0 || ::close(fd) != 0)
            return false;
    }
    return true;
}

struct Run {
    double ms = 0;
    double cpuMs = 0;
    double longestGapMs = 0;
    double longestGapCpuMs = 0; // the window's thread's CPU time over the longest hold
};

// Runs `work` from the event loop until it has finished, as the window would.
template <typename Work> Run timed(Work& work) {
    QEventLoop loop;
    QObject::connect(&work, &LongWork::finished, &loop, &QEventLoop::quit);
    LoopGaps gaps;
    Run run;
    const Clock::time_point began = Clock::now();
    const double cpu = cpuMs(RUSAGE_SELF);
    gaps.start();
    work.start();
    if (!work.isFinished())
        loop.exec();
    gaps.stop();
    run.ms = millisecondsSince(began);
    run.cpuMs = cpuMs(RUSAGE_SELF) - cpu;
    run.longestGapMs = gaps.longestMs;
    run.longestGapCpuMs = gaps.longestCpuMs;
    return run;
}

// The entries name the library's files below `old`; reordered, in as many
// folders whose names run the other way, so the rewritten entries must be
// sorted again.
void loadMissing(PlaylistDocument& document, const QString& old, const QStringList& files,
                 const Options& options) {
    QList<PlaylistEntry> entries;
    entries.reserve(files.size());
    for (int i = 0; i < files.size(); ++i) {
        const QString file = options.reordered ? QStringLiteral("Box %1/%2")
                                                     .arg(options.folders - i % options.folders, 4,
                                                          10, QLatin1Char('0'))
                                                     .arg(files[i].section(QLatin1Char('/'), -1))
                                               : files[i];
        entries.append({old + QLatin1Char('/') + file, {}, true});
    }
    document.loadFrom(QStringLiteral("/tmp/bench.m3u"), {}, {}, TextCodec::PlaylistEncoding::Plain,
                      std::nullopt, std::nullopt,
                      OrderedEntries(document.rules(), std::move(entries)));
}

// The window's own playlist view of the document, its first row current and
// selected, as a user leaves it; nothing without --view.
std::unique_ptr<PlaylistView> shownIn(PlaylistDocument& document, const Options& options) {
    if (!options.view)
        return nullptr;
    auto list = std::make_unique<PlaylistView>();
    list->setModel(document.model());
    list->resize(480, 640);
    list->show();
    list->setCurrentIndex(document.model()->index(0));
    return list;
}

} // namespace

int main(int argc, char* argv[]) {
    const std::unique_ptr<QCoreApplication> application =
        bench::makeApplication(argc, argv, {"--view"});
    QCoreApplication& app = *application;
    QCommandLineParser parser;
    const QCommandLineOption files(QStringLiteral("files"), QStringLiteral("Files."),
                                   QStringLiteral("N"), QStringLiteral("100000"));
    const QCommandLineOption folders(QStringLiteral("folders"), QStringLiteral("Folders."),
                                     QStringLiteral("N"), QStringLiteral("2000"));
    const QCommandLineOption rounds(QStringLiteral("rounds"), QStringLiteral("Timed rounds."),
                                    QStringLiteral("N"), QStringLiteral("3"));
    const QCommandLineOption reordered(
        QStringLiteral("reordered"),
        QStringLiteral("Entries in folders of another order: the rewrite sorts them again."));
    const QCommandLineOption view(
        QStringLiteral("view"),
        QStringLiteral("Show the playlist in the window's list view, a row selected."));
    parser.addOptions({files, folders, rounds, reordered, view});
    parser.addHelpOption();
    parser.process(app);
    Options options;
    options.files = std::max(1, parser.value(files).toInt());
    options.folders = std::max(1, parser.value(folders).toInt());
    options.rounds = std::max(1, parser.value(rounds).toInt());
    options.reordered = parser.isSet(reordered);
    options.view = parser.isSet(view);

    QTemporaryDir temporary;
    const QString old = temporary.path() + QStringLiteral("/old");
    const QString moved = temporary.path() + QStringLiteral("/new");
    const QStringList library = libraryFiles(options);
    if (!temporary.isValid() || !build(moved, library)) {
        std::fprintf(stderr, "could not build the library\n");
        return 2;
    }
    std::printf("library: %d files in %d folders, all %d entries missing\n", options.files,
                options.folders, options.files);

    NativeFileSystem fs;
    PrintedDialogs yes(MessageAnswer::Yes);
    PrintedDialogs no(MessageAnswer::No);
    Samples add;
    Samples find;
    double findGap = 0;
    double lookGap = 0;
    double lookMs = 0;
    double removeGap = 0;
    double findGapCpu = 0;
    double removeGapCpu = 0;
    double deleteMs = 0;
    double undoMs = 0;
    double redoMs = 0;
    for (int round = 0; round < options.rounds; ++round) {
        {
            PlaylistDocument document(fs.rules());
            FolderTreeAdd walk(document, fs, yes, moved);
            const Run run = timed(walk);
            add.add(run.ms, run.cpuMs);
        }
        {
            PlaylistDocument document(fs.rules());
            loadMissing(document, old, library, options);
            const std::unique_ptr<PlaylistView> list = shownIn(document, options);
            RemoveMissingEntries look(document, fs, no);
            const Run run = timed(look);
            lookGap = std::max(lookGap, run.longestGapMs);
            lookMs = run.ms;

            PlaylistEdit edit;
            auto search = std::make_unique<FindMovedFiles>(
                document, fs, yes, moved, [&](const std::function<void()>& change) {
                    const int token = document.beginEdit();
                    change();
                    edit = document.endEdit(token);
                });
            const Run found = timed(*search);
            // The window deletes the finished work on its thread.
            const Clock::time_point deleted = Clock::now();
            search.reset();
            deleteMs = std::max(deleteMs, millisecondsSince(deleted));
            // What it left is freed on a pool thread meanwhile; a user's Undo
            // comes later.
            QThreadPool::globalInstance()->waitForDone();
            find.add(found.ms, found.cpuMs);
            findGap = std::max(findGap, found.longestGapMs);
            findGapCpu = std::max(findGapCpu, found.longestGapCpuMs);
            if (document.count() != library.size() || document.missingCount() != 0 ||
                !document.entry(0).startsWith(moved)) {
                std::fprintf(stderr, "round %d: %d entries, %d still missing\n", round + 1,
                             document.count(), document.missingCount());
                return 1;
            }
            Clock::time_point began = Clock::now();
            document.undo(edit, true);
            undoMs = std::max(undoMs, millisecondsSince(began));
            began = Clock::now();
            document.redo(edit, false);
            redoMs = std::max(redoMs, millisecondsSince(began));
        }
        {
            PlaylistDocument document(fs.rules());
            loadMissing(document, old, library, options);
            const std::unique_ptr<PlaylistView> list = shownIn(document, options);
            RemoveMissingEntries removal(document, fs, yes);
            const Run run = timed(removal);
            removeGap = std::max(removeGap, run.longestGapMs);
            removeGapCpu = std::max(removeGapCpu, run.longestGapCpuMs);
            if (document.count() != 0) {
                std::fprintf(stderr, "round %d: %d entries left\n", round + 1, document.count());
                return 1;
            }
        }
    }
    const double ratio = find.bestMs() / add.bestMs();
    std::printf(
        "Add Entire Dir of the tree : wall best %7.1f ms, median %7.1f ms; CPU best %7.1f ms\n",
        add.bestMs(), add.medianMs(), add.bestCpuMs());
    std::printf(
        "Find Moved Files           : wall best %7.1f ms, median %7.1f ms; CPU best %7.1f ms\n",
        find.bestMs(), find.medianMs(), find.bestCpuMs());
    std::printf("ratio                      : wall %.2f, CPU %.2f   (target <= 1.5: %s)\n", ratio,
                find.bestCpuMs() / add.bestCpuMs(), ratio <= 1.5 ? "met" : "MISSED");
    std::printf("looking again at %d entries: %.1f ms; longest hold of the window's thread %.1f ms"
                "   (target <= 20 ms: %s)\n",
                options.files, lookMs, lookGap, lookGap <= 20.0 ? "met" : "MISSED");
    std::printf("longest hold during Find Moved Files, the rewrite included: %.1f ms (CPU %.1f ms)"
                "   (target <= 20 ms: %s); deleting the finished work %.1f ms\n",
                findGap, findGapCpu, findGap <= 20.0 ? "met" : "MISSED", deleteMs);
    std::printf("Undo / Redo of the rewrite   : %.1f ms / %.1f ms (worst round)\n", undoMs, redoMs);
    std::printf("longest hold during Remove Missing Entries of all %d, answered Yes: %.1f ms"
                " (CPU %.1f ms)\n",
                options.files, removeGap, removeGapCpu);
    std::printf("peak memory (ru_maxrss)    : %.1f MB\n", peakMemoryMb());
    return 0;
}
