// Loading and saving a large playlist whose files all exist, timed against
// the bare work underneath, done in the same run on the same warm files:
// a stat() of every path for the load, and writing the same bytes through a
// bare QSaveFile for the save. Then the same playlist in the extended form
// (#EXTM3U, an #EXTINF line above every entry), whose load is timed against
// the plain load. Then how soon Cancel stops a load on a share whose look-ups
// are slow, and a load of a big playlist (a million entries) as the window
// runs it, in a process of its own: its time, its peak memory (VmHWM)
// against the file's size, and the longest the window's thread waited.
//
//   bench_playlist_file [--entries N] [--rounds N] [--big N] [--slow-ms N]
//
// Prints the times, their ratios and the peak memory of the process. Exits
// non-zero when a loaded playlist or a saved file is not what it should be.

#include "bench_support.h"
#include "forwarding_file_system.h"
#include "platform/dialogs.h"
#include "platform/native_file_system.h"
#include "playlist/playlist_document.h"
#include "playlist_file/file_commands.h"
#include "playlist_file/playlist_load.h"
#include "playlist_file/playlist_reader.h"
#include "playlist_file/playlist_writer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

using bench::Clock;
using bench::millisecondsSince;

struct Options {
    int entries = 100000;
    int rounds = 3;
    int big = 1000000;
    int slowMs = 30;
    // The child that loads the big playlist alone.
    QString loadOnly;
};

std::optional<Options> parseOptions(const QCoreApplication& app) {
    QCommandLineParser parser;
    const QCommandLineOption entries(QStringLiteral("entries"),
                                     QStringLiteral("Entries in the playlist."),
                                     QStringLiteral("N"), QStringLiteral("100000"));
    const QCommandLineOption rounds(QStringLiteral("rounds"), QStringLiteral("Timed rounds."),
                                    QStringLiteral("N"), QStringLiteral("3"));
    const QCommandLineOption big(QStringLiteral("big"),
                                 QStringLiteral("Entries of the big playlist (0: none)."),
                                 QStringLiteral("N"), QStringLiteral("1000000"));
    const QCommandLineOption slowMs(QStringLiteral("slow-ms"),
                                    QStringLiteral("How long a slow share takes per look-up."),
                                    QStringLiteral("N"), QStringLiteral("30"));
    const QCommandLineOption loadOnly(QStringLiteral("load-only"),
                                      QStringLiteral("Only load this playlist (the child)."),
                                      QStringLiteral("PATH"));
    parser.addOptions({entries, rounds, big, slowMs, loadOnly});
    parser.addHelpOption();
    parser.process(app);
    Options options;
    bool ok[4] = {};
    options.entries = parser.value(entries).toInt(&ok[0]);
    options.rounds = parser.value(rounds).toInt(&ok[1]);
    options.big = parser.value(big).toInt(&ok[2]);
    options.slowMs = parser.value(slowMs).toInt(&ok[3]);
    options.loadOnly = parser.value(loadOnly);
    if (!ok[0] || !ok[1] || !ok[2] || !ok[3] || options.entries < 1 || options.rounds < 1 ||
        options.big < 0 || options.slowMs < 1)
        return std::nullopt;
    return options;
}

// Artist and album folders with a hundred tracks each, names as a music
// library has them (spaces, a few accented letters).
std::optional<QStringList> buildLibrary(const QString& root, int entries) {
    QStringList paths;
    paths.reserve(entries);
    QString folder;
    for (int i = 0; i < entries; ++i) {
        if (i % 100 == 0) {
            folder = QStringLiteral("%1/Artist %2 Ensemble/Album %3 Édition")
                         .arg(root)
                         .arg(i / 2000, 3, 10, QLatin1Char('0'))
                         .arg(i / 100, 4, 10, QLatin1Char('0'));
            if (!QDir().mkpath(folder))
                return std::nullopt;
        }
        const QString path = QStringLiteral("%1/%2 - Track Title Number %3.mp3")
                                 .arg(folder)
                                 .arg(i % 100, 2, 10, QLatin1Char('0'))
                                 .arg(i);
        const int fd = ::open(QFile::encodeName(path).constData(), O_CREAT | O_WRONLY, 0644);
        if (fd < 0 || ::close(fd) != 0)
            return std::nullopt;
        paths.append(path);
    }
    return paths;
}

int statEvery(const std::vector<std::string>& paths) {
    int found = 0;
    for (const std::string& path : paths) {
        struct stat st {};
        if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode))
            ++found;
    }
    return found;
}

bool bareSave(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Runs `work` once and adds its wall and CPU time to `samples`.
template <class Work> void timed(bench::Samples& samples, Work&& work) {
    const double cpu = bench::threadCpuMs();
    const Clock::time_point start = Clock::now();
    work();
    samples.add(millisecondsSince(start), bench::threadCpuMs() - cpu);
}

void report(const char* what, const bench::Samples& samples) {
    std::printf("%-24s: best %7.1f ms (CPU %7.1f ms), median %7.1f ms\n", what, samples.bestMs(),
                samples.bestCpuMs(), samples.medianMs());
}

void reportRatio(const char* what, const bench::Samples& work, const bench::Samples& reference,
                 double target) {
    const double wall = work.bestMs() / reference.bestMs();
    const double cpu = work.bestCpuMs() / reference.bestCpuMs();
    std::printf("%-24s: %.2f (CPU %.2f)   (target <= %.1f: %s)\n", what, wall, cpu, target,
                wall <= target ? "met" : "MISSED");
}

// The #EXTINF line a player writes above an entry: its length and
// "Artist - Title".
QString infoLine(qsizetype row) {
    return QStringLiteral("#EXTINF:%1,Artist %2 Ensemble - Track Title Number %3")
        .arg(120 + row % 300)
        .arg(row / 2000)
        .arg(row);
}

// The playlist's file in the extended form: "#EXTM3U", then every entry
// below its #EXTINF line. Built line by line, so the benchmark holds no
// second copy of the playlist while it measures memory.
QByteArray extendedFileBytes(const QStringList& entries) {
    QByteArray bytes = "#EXTM3U\r\n";
    for (qsizetype row = 0; row < entries.size(); ++row)
        bytes += infoLine(row).toUtf8() + "\r\n" + entries[row].toUtf8() + "\r\n";
    return bytes;
}

QByteArray digest(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1);
}

// The loaded playlist is the file's (with an #EXTINF line above every entry
// and the header when `extended`) and nothing was asked; says what went
// wrong otherwise.
bool loadedAsWritten(int round, const PlaylistDocument& document,
                     const bench::PrintedDialogs& dialogs, const QStringList& entries,
                     bool extended) {
    bool directivesMatch = document.directives().size() == entries.size();
    for (int row = 0; directivesMatch && row < document.count(); ++row)
        directivesMatch =
            document.directives(row) == (extended ? QStringList{infoLine(row)} : QStringList{});
    const bool headerMatches = document.header() == (extended ? u"#EXTM3U"_s : QString());
    if (document.entries() == entries && directivesMatch && headerMatches && dialogs.shown == 0 &&
        !document.isModified())
        return true;
    std::fprintf(stderr,
                 "round %d: %lld entries loaded of %lld, directives %s, header %s, %d messages\n",
                 round + 1, qlonglong(document.count()), qlonglong(entries.size()),
                 directivesMatch ? "as written" : "DIFFERENT",
                 headerMatches ? "as written" : "DIFFERENT", dialogs.shown);
    return false;
}

bool savedAsRead(int round, const QString& path, const QByteArray& expectedDigest) {
    if (digest(readBytes(path)) == expectedDigest)
        return true;
    std::fprintf(stderr, "round %d: the saved %s differs from the file read\n", round + 1,
                 qPrintable(path));
    return false;
}

// A figure of /proc/self/status in MB: VmHWM is the most memory the process
// has held, VmRSS what it holds now.
double statusMb(const QByteArray& field = "VmHWM:") {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(field.size()).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

// A share whose look-ups take a while each.
class SlowFileSystem final : public ForwardingFileSystem {
public:
    SlowFileSystem(FileSystem& inner, int ms)
        : ForwardingFileSystem(inner)
        , m_delay(ms) {}
    std::unique_ptr<FileNameSearch> search(const QString& pattern, SearchMask mask,
                                           QString* error) override {
        std::this_thread::sleep_for(m_delay);
        return ForwardingFileSystem::search(pattern, mask, error);
    }
    bool hasFileNamed(const QString& path, SearchMask mask) override {
        std::this_thread::sleep_for(m_delay);
        return ForwardingFileSystem::hasFileNamed(path, mask);
    }

private:
    std::chrono::milliseconds m_delay;
};

// Starts a load of `playlist` on a share that answers each look-up after
// `slowMs`, cancels it once it has run a while, and says how long it took
// from Cancel to the end.
double cancelDelayMs(const QString& playlist, int slowMs) {
    NativeFileSystem native;
    SlowFileSystem fs(native, slowMs);
    PlaylistDocument document(fs.rules());
    bench::PrintedDialogs dialogs(MessageAnswer::No);
    PlaylistLoad load(document, fs, dialogs, playlist);
    QEventLoop loop;
    Clock::time_point cancelled;
    Clock::time_point ended;
    QObject::connect(&load, &LongWork::finished, &loop, [&] {
        ended = Clock::now();
        loop.quit();
    });
    QTimer::singleShot(500, &loop, [&] {
        cancelled = Clock::now();
        load.cancel();
    });
    load.start();
    loop.exec();
    return load.loaded() || document.count() != 0 ? -1 : millisecondsSince(cancelled, ended);
}

// The child's work: the big playlist loaded as the window loads it, alone in
// its process, so that its peak memory is the load's.
int loadOnly(const QString& playlist) {
    const double before = statusMb();
    const qint64 fileBytes = QFileInfo(playlist).size();
    NativeFileSystem fs;
    PlaylistDocument document(fs.rules());
    bench::PrintedDialogs dialogs(MessageAnswer::No);
    PlaylistLoad load(document, fs, dialogs, playlist);
    bench::LoopGaps gaps;
    QObject::connect(&load, &LongWork::finished, QCoreApplication::instance(),
                     &QCoreApplication::quit);
    const Clock::time_point start = Clock::now();
    gaps.start();
    load.start();
    QCoreApplication::exec();
    gaps.stop();
    const double seconds = millisecondsSince(start) / 1000.0;
    const double peak = statusMb();
    // What the loaded playlist itself holds: the peak can be no lower.
    const double held = statusMb("VmRSS:");
    const double fileMb = double(fileBytes) / (1 << 20);
    std::printf("%-24s: %d entries from %.1f MB in %.2f s   (target <= 3 s: %s)\n", "big load",
                document.count(), fileMb, seconds, seconds <= 3.0 ? "met" : "MISSED");
    std::printf("%-24s: VmHWM %.0f MB = %.2f x the file, %.0f MB before the load   (target <= "
                "3x: %s)\n",
                "big load peak memory", peak, peak / fileMb, before,
                peak <= 3 * fileMb ? "met" : "MISSED");
    std::printf("%-24s: VmRSS %.0f MB = %.2f x the file\n", "big load held after", held,
                held / fileMb);
    std::printf("%-24s: %.0f ms of the window's thread (CPU %.0f ms)\n", "big load longest pause",
                gaps.longestMs, gaps.longestCpuMs);
    return load.loaded() && dialogs.shown == 0 ? 0 : 1;
}

// The big playlist in a library of its own, loaded by a child process.
bool bigLoad(int entries) {
    QTemporaryDir temporary;
    const Clock::time_point built = Clock::now();
    const std::optional<QStringList> library =
        temporary.isValid() ? buildLibrary(temporary.path(), entries) : std::nullopt;
    if (!library)
        return false;
    QStringList sorted = *library;
    std::stable_sort(sorted.begin(), sorted.end(), PathRules::lessForPlaylist);
    const QString playlist = temporary.path() + QStringLiteral("/big.m3u");
    if (!bareSave(playlist, playlistFileBytes({{}, sorted, {}, {}}, PathRules::posix())))
        return false;
    std::vector<std::string> paths;
    for (const QString& path : sorted)
        paths.push_back(QFile::encodeName(path).toStdString());
    const Clock::time_point statted = Clock::now();
    statEvery(paths);
    std::printf("big library: %d files built in %.0f s; the stat() loop takes %.0f ms\n", entries,
                millisecondsSince(built) / 1000.0, millisecondsSince(statted));
    std::fflush(stdout);
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--load-only"), playlist});
    return child.waitForFinished(-1) && child.exitStatus() == QProcess::NormalExit &&
           child.exitCode() == 0;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const std::optional<Options> parsed = parseOptions(app);
    if (!parsed) {
        std::fprintf(stderr, "usage: %s [--entries N] [--rounds N]\n", argv[0]);
        return 2;
    }
    const Options& options = *parsed;
    if (!options.loadOnly.isEmpty())
        return loadOnly(options.loadOnly);
    QTemporaryDir temporary;
    const QString root = temporary.path();
    const Clock::time_point built = Clock::now();
    const std::optional<QStringList> library =
        temporary.isValid() ? buildLibrary(root, options.entries) : std::nullopt;
    if (!library) {
        std::fprintf(stderr, "could not build the library under %s\n", qPrintable(root));
        return 2;
    }
    QStringList sorted = *library;
    std::stable_sort(sorted.begin(), sorted.end(), PathRules::lessForPlaylist);
    const QByteArray playlistBytes = playlistFileBytes({{}, sorted, {}, {}}, PathRules::posix());
    const QByteArray plainDigest = digest(playlistBytes);
    const QString playlist = root + QStringLiteral("/mix.m3u");
    const QString extendedPlaylist = root + QStringLiteral("/extended.m3u");
    const QString reference = root + QStringLiteral("/reference.m3u");
    std::vector<std::string> nativePaths;
    for (const QString& path : sorted)
        nativePaths.push_back(QFile::encodeName(path).toStdString());
    std::printf("library: %d files, playlist of %.1f MB, built in %.0f ms\n", options.entries,
                double(playlistBytes.size()) / (1 << 20), millisecondsSince(built));
    QByteArray extendedDigest;
    bool extendedWritten = false;
    {
        const QByteArray bytes = extendedFileBytes(sorted);
        extendedDigest = digest(bytes);
        extendedWritten = bareSave(extendedPlaylist, bytes);
    }
    if (!bareSave(playlist, playlistBytes) || !extendedWritten) {
        std::fprintf(stderr, "could not write the playlists under %s\n", qPrintable(root));
        return 2;
    }

    statEvery(nativePaths); // warms the tree for both
    bench::Samples stats, loads, bareSaves, saves, extendedLoads, extendedSaves;
    double plainMemory = 0;
    for (int round = 0; round < options.rounds; ++round) {
        int found = 0;
        timed(stats, [&] { found = statEvery(nativePaths); });
        {
            NativeFileSystem fs;
            PlaylistDocument document(fs.rules());
            bench::PrintedDialogs dialogs(MessageAnswer::No); // nothing should be asked
            timed(loads, [&] { openPlaylistFile(document, fs, dialogs, playlist); });

            // The same bytes to a file beside it, then Save over the playlist.
            bool written = false;
            timed(bareSaves, [&] { written = bareSave(reference, playlistBytes); });
            timed(saves, [&] { savePlaylist(document, fs, dialogs); });

            if (!written || found != options.entries ||
                !loadedAsWritten(round, document, dialogs, sorted, false) ||
                !savedAsRead(round, playlist, plainDigest))
                return 1;
        }
        if (round == 0)
            plainMemory = bench::peakMemoryMb();

        {
            NativeFileSystem fs;
            PlaylistDocument document(fs.rules());
            bench::PrintedDialogs dialogs(MessageAnswer::No);
            timed(extendedLoads,
                  [&] { openPlaylistFile(document, fs, dialogs, extendedPlaylist); });
            timed(extendedSaves, [&] { savePlaylist(document, fs, dialogs); });
            if (!loadedAsWritten(round, document, dialogs, sorted, true))
                return 1;
        }
        if (!savedAsRead(round, extendedPlaylist, extendedDigest))
            return 1;
    }

    report("reference stat() loop", stats);
    report("openPlaylistFile", loads);
    reportRatio("load ratio (best/best)", loads, stats, 1.0);
    report("reference bare QSaveFile", bareSaves);
    report("savePlaylist", saves);
    // A save takes some 15 ms, so a ratio of about 1.3 wanders by 0.2 from
    // run to run.
    reportRatio("save ratio (best/best)", saves, bareSaves, 1.5);
    std::printf("%-24s: %.1f MB   (target < 135 MB: %s)\n", "peak memory, plain", plainMemory,
                plainMemory < 135.0 ? "met" : "MISSED");
    report("extended openPlaylistFile", extendedLoads);
    reportRatio("extended/plain load", extendedLoads, loads, 1.5);
    report("extended savePlaylist", extendedSaves);
    const double memory = bench::peakMemoryMb();
    std::printf("%-24s: %.1f MB   (target < 200 MB: %s)\n", "peak memory, whole run", memory,
                memory < 200.0 ? "met" : "MISSED");

    const double cancelMs = cancelDelayMs(playlist, options.slowMs);
    std::printf("%-24s: %.1f ms with %d ms look-ups   (target <= 100 ms: %s)\n",
                "cancel to end of load", cancelMs, options.slowMs,
                cancelMs >= 0 && cancelMs <= 100 ? "met" : "MISSED");
    if (cancelMs < 0)
        return 1;
    std::fflush(stdout);
    if (options.big > 0 && !bigLoad(options.big)) {
        std::fprintf(stderr, "the big load failed\n");
        return 1;
    }
    return 0;
}
