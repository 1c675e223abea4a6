// Add Entire Dir over a large generated music library, timed against
// `find ... | sort -f` listing the same files on the same warm tree, with the
// event loop running as in the program while the tree is listed and added.
//
//   bench_add_entire_dir [--files N] [--folders N] [--rounds N] [--tree DIR]
//                        [--view | --window]
//
// With --tree the library is built in DIR and left there, or, when DIR
// already exists, DIR is walked as it stands. With --view a list view shows
// the playlist while it fills (offscreen when there is no display), so the
// turns of the event loop lay out and paint as in the program; with --window
// the program's own main window runs the command, with its history and
// status bar. --files 1000000 makes the million-file library.
//
// Prints both times and their ratio, the longest time the event loop went
// without a turn, and the peak memory of the process. Exits non-zero only
// when the playlist does not hold exactly the files the reference lists.

#include "bench_application.h"
#include "bench_support.h"
#include "main_window/main_window.h"
#include "main_window/playlist_view.h"
#include "platform/native_file_system.h"
#include "playlist/folder_walk.h"
#include "playlist/playlist_document.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <unistd.h>

namespace {

using namespace bench;

struct Options {
    int files = 100000;
    int folders = 2000;
    int rounds = 3;
    QString tree; // empty: a temporary folder
    bool view = false;
    bool window = false;
};

std::optional<Options> parseOptions(const QCoreApplication& app) {
    QCommandLineParser parser;
    const QCommandLineOption files(QStringLiteral("files"),
                                   QStringLiteral("Files in the generated library."),
                                   QStringLiteral("N"), QStringLiteral("100000"));
    const QCommandLineOption folders(QStringLiteral("folders"),
                                     QStringLiteral("Folders in the generated library."),
                                     QStringLiteral("N"), QStringLiteral("2000"));
    const QCommandLineOption rounds(QStringLiteral("rounds"), QStringLiteral("Timed rounds."),
                                    QStringLiteral("N"), QStringLiteral("3"));
    const QCommandLineOption tree(
        QStringLiteral("tree"),
        QStringLiteral("Build the library in DIR and keep it, or walk DIR when it exists."),
        QStringLiteral("DIR"));
    const QCommandLineOption view(QStringLiteral("view"),
                                  QStringLiteral("Show the playlist in a list view."));
    const QCommandLineOption window(QStringLiteral("window"),
                                    QStringLiteral("Run the command in the program's window."));
    parser.addOptions({files, folders, rounds, tree, view, window});
    parser.addHelpOption();
    parser.process(app);
    Options options;
    bool ok[3] = {};
    options.files = parser.value(files).toInt(&ok[0]);
    options.folders = parser.value(folders).toInt(&ok[1]);
    options.rounds = parser.value(rounds).toInt(&ok[2]);
    options.tree = parser.value(tree);
    options.view = parser.isSet(view);
    options.window = parser.isSet(window);
    if (!ok[0] || !ok[1] || !ok[2] || options.files < 1 || options.folders < 1 ||
        options.rounds < 1)
        return std::nullopt;
    return options;
}

// A library: some artist folders at the top, album folders below them, and
// the files spread evenly. About 60% are audio files with their extension in
// mixed letter case; the rest are covers, notes, other playlists.
struct Library {
    int audioFiles = 0;
};

bool makeEmptyFile(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
    return fd >= 0 && ::close(fd) == 0;
}

std::optional<Library> buildLibrary(const QString& root, const Options& options) {
    static const char* const audio[] = {".mp3", ".MP3", ".Mp3", ".wav",
                                        ".WAV", ".wma", ".WMA", ".wMa"};
    static const char* const other[] = {".jpg", ".txt", ".nfo", ".m3u", ".flac", ".cue", ".ogg"};
    Library library;
    QStringList folders;
    const int artists = std::max(1, options.folders / 50);
    for (int i = 0; i < options.folders; ++i) {
        const QString artist =
            QStringLiteral("%1/Artist %2").arg(root).arg(i % artists, 3, 10, QLatin1Char('0'));
        folders.append(
            i < artists
                ? artist
                : QStringLiteral("%1/Album %2").arg(artist).arg(i, 4, 10, QLatin1Char('0')));
        if (!QDir().mkpath(folders.last()))
            return std::nullopt;
    }
    QRandomGenerator random(20240611);
    for (int i = 0; i < options.files; ++i) {
        const bool isAudio = random.bounded(100) < 60;
        const char* extension = isAudio ? audio[random.bounded(int(std::size(audio)))]
                                        : other[random.bounded(int(std::size(other)))];
        const QString path = QStringLiteral("%1/Track %2%3")
                                 .arg(folders[i % options.folders])
                                 .arg(i, 6, 10, QLatin1Char('0'))
                                 .arg(QLatin1String(extension));
        if (!makeEmptyFile(path))
            return std::nullopt;
        library.audioFiles += isAudio ? 1 : 0;
    }
    return library;
}

struct Timed {
    double ms = 0;
    double cpuMs = 0;
    QStringList paths;
};

Timed runReference(const QString& root) {
    const QString command =
        QStringLiteral(
            "find '%1' -type f \\( -iname '*.mp3' -o -iname '*.wav' -o -iname '*.wma' \\) "
            "| sort -f")
            .arg(root);
    const Clock::time_point start = Clock::now();
    const double childrenCpu = cpuMs(RUSAGE_CHILDREN);
    QProcess process;
    process.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command});
    process.waitForFinished(-1);
    const QByteArray output = process.readAllStandardOutput();
    Timed result;
    result.ms = millisecondsSince(start);
    result.cpuMs = cpuMs(RUSAGE_CHILDREN) - childrenCpu;
    for (const QByteArray& line : output.split('\n'))
        if (!line.isEmpty())
            result.paths.append(QFile::decodeName(line));
    return result;
}

struct WalkRun {
    Timed timed;
    double longestGapMs = 0;
    double longestGapCpuMs = 0;
    int turns = 0;
    int messages = 0;
};

// The command as the window runs it: started from the event loop, which goes
// on turning until the walk says it has finished.
WalkRun runAddEntireDir(const QString& root, bool view) {
    PlaylistDocument document(PathRules::posix());
    NativeFileSystem fs;
    PrintedDialogs dialogs;
    std::unique_ptr<PlaylistView> list;
    if (view) {
        // The window's own playlist view.
        list = std::make_unique<PlaylistView>();
        list->setModel(document.model());
        list->resize(480, 640);
        list->show();
    }
    FolderTreeAdd add(document, fs, dialogs, root);
    QEventLoop loop;
    QObject::connect(&add, &FolderTreeAdd::finished, &loop, &QEventLoop::quit);
    LoopGaps gaps;

    const Clock::time_point start = Clock::now();
    const double cpu = cpuMs(RUSAGE_SELF);
    gaps.start();
    add.start();
    loop.exec();
    gaps.stop();
    WalkRun run;
    run.timed.ms = millisecondsSince(start);
    run.timed.cpuMs = cpuMs(RUSAGE_SELF) - cpu;
    run.timed.paths = document.entries();
    run.longestGapMs = gaps.longestMs;
    run.longestGapCpuMs = gaps.longestCpuMs;
    run.turns = gaps.turns;
    run.messages = dialogs.shown;
    return run;
}

// The same, clicked in the program's main window opened on the library.
WalkRun runInWindow(const QString& root) {
    NativeFileSystem fs;
    PrintedDialogs dialogs;
    const QString before = QDir::currentPath();
    QDir::setCurrent(root);
    MainWindow window(fs, &dialogs);
    window.startUp({});
    QDir::setCurrent(before);
    window.show();
    QEventLoop loop;
    LoopGaps gaps;

    const Clock::time_point start = Clock::now();
    const double cpu = cpuMs(RUSAGE_SELF);
    gaps.start();
    window.findChild<QPushButton*>(QStringLiteral("addFolderTreeButton"))->click();
    if (auto* walk = window.findChild<FolderTreeAdd*>())
        QObject::connect(walk, &FolderTreeAdd::finished, &loop, &QEventLoop::quit);
    loop.exec();
    gaps.stop();
    WalkRun run;
    run.timed.ms = millisecondsSince(start);
    run.timed.cpuMs = cpuMs(RUSAGE_SELF) - cpu;
    run.timed.paths = window.document().entries();
    run.longestGapMs = gaps.longestMs;
    run.longestGapCpuMs = gaps.longestCpuMs;
    run.turns = gaps.turns;
    run.messages = dialogs.shown;
    return run;
}

} // namespace

int main(int argc, char* argv[]) {
    const std::unique_ptr<QCoreApplication> app =
        bench::makeApplication(argc, argv, {"--view", "--window"});
    const std::optional<Options> parsed = parseOptions(*app);
    if (!parsed) {
        std::fprintf(
            stderr,
            "usage: %s [--files N] [--folders N] [--rounds N] [--tree DIR] [--view | --window]\n",
            argv[0]);
        return 2;
    }
    const Options& options = *parsed;
    QTemporaryDir temporary;
    const QString root = options.tree.isEmpty() ? temporary.path() : options.tree;
    int audioFiles = -1; // unknown for a tree that was there already
    if (options.tree.isEmpty() || !QFileInfo::exists(root)) {
        const Clock::time_point built = Clock::now();
        const std::optional<Library> library =
            temporary.isValid() ? buildLibrary(root, options) : std::nullopt;
        if (!library) {
            std::fprintf(stderr, "could not build the library under %s\n", qPrintable(root));
            return 2;
        }
        audioFiles = library->audioFiles;
        std::printf("library: %d files (%d audio) in %d folders, built in %.0f ms\n", options.files,
                    audioFiles, options.folders, millisecondsSince(built));
    } else {
        std::printf("library: %s as it stands\n", qPrintable(root));
    }

    runReference(root); // warms the tree for both
    Samples reference;
    Samples walk;
    double longestGapMs = 0;
    double longestGapCpuMs = 0;
    int turns = 0;
    qsizetype entries = 0;
    for (int round = 0; round < options.rounds; ++round) {
        const Timed listed = runReference(root);
        const WalkRun added =
            options.window ? runInWindow(root) : runAddEntireDir(root, options.view);
        reference.add(listed.ms, listed.cpuMs);
        walk.add(added.timed.ms, added.timed.cpuMs);
        longestGapMs = std::max(longestGapMs, added.longestGapMs);
        longestGapCpuMs = std::max(longestGapCpuMs, added.longestGapCpuMs);
        turns = added.turns;
        entries = added.timed.paths.size();

        QStringList expected = listed.paths;
        QStringList got = added.timed.paths;
        expected.sort();
        got.sort();
        if (got != expected || (audioFiles >= 0 && got.size() != audioFiles) ||
            added.messages != 0) {
            std::fprintf(stderr,
                         "round %d: the playlist holds %lld entries, the reference lists %lld"
                         " (%d audio files made, %d messages)\n",
                         round + 1, qlonglong(got.size()), qlonglong(expected.size()), audioFiles,
                         added.messages);
            return 1;
        }
    }

    const double ratio = walk.bestMs() / reference.bestMs();
    const double cpuRatio = walk.bestCpuMs() / reference.bestCpuMs();
    const double memory = peakMemoryMb();
    std::printf(
        "reference find | sort -f  : wall best %7.1f ms, median %7.1f ms; CPU best %7.1f ms\n",
        reference.bestMs(), reference.medianMs(), reference.bestCpuMs());
    std::printf(
        "Add Entire Dir            : wall best %7.1f ms, median %7.1f ms; CPU best %7.1f ms;"
        " %lld entries%s\n",
        walk.bestMs(), walk.medianMs(), walk.bestCpuMs(), qlonglong(entries),
        options.window ? ", in the window"
        : options.view ? ", shown in a list view"
                       : "");
    std::printf("ratio                     : wall %.2f, CPU %.2f   (target <= 1.6: %s)\n", ratio,
                cpuRatio, ratio <= 1.6 ? "met" : "MISSED");
    std::printf("longest gap between turns : wall %.1f ms, CPU %.1f ms, over %d turns"
                "   (target < 20 ms: %s)\n",
                longestGapMs, longestGapCpuMs, turns, longestGapMs < 20.0 ? "met" : "MISSED");
    std::printf("peak memory (ru_maxrss)   : %.1f MB   (target < 130 MB: %s)\n", memory,
                memory < 130.0 ? "met" : "MISSED");
    return 0;
}
