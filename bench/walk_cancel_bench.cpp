// How soon Cancel stops Add Entire Dir on a slow mount: a tree whose every
// folder read takes 50 ms. Each round starts a walk, lets it run a while,
// cancels it, and times from the cancel to the walk's end on the window's
// thread and to the moment its listing has left the file system.
//
//   bench_walk_cancel [--folders N] [--delay MS] [--rounds N]
//
// Prints the worst of the rounds against the target of 100 ms.

#include "bench_support.h"
#include "forwarding_file_system.h"
#include "platform/native_file_system.h"
#include "playlist/folder_walk.h"
#include "playlist/playlist_document.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <thread>

namespace {

using namespace bench;

// Every folder read takes `delay`, as on a slow or distant mount.
class SlowFileSystem final : public ForwardingFileSystem {
public:
    SlowFileSystem(FileSystem& inner, std::chrono::milliseconds delay)
        : ForwardingFileSystem(inner)
        , m_delay(delay) {}

    std::optional<FolderInfo> folder(const QString& path, QString* error = nullptr) override {
        std::this_thread::sleep_for(m_delay);
        return ForwardingFileSystem::folder(path, error);
    }

private:
    std::chrono::milliseconds m_delay;
};

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption folders(QStringLiteral("folders"), QStringLiteral("Folders."),
                                     QStringLiteral("N"), QStringLiteral("200"));
    const QCommandLineOption delay(QStringLiteral("delay"),
                                   QStringLiteral("Milliseconds each folder read takes."),
                                   QStringLiteral("MS"), QStringLiteral("50"));
    const QCommandLineOption rounds(QStringLiteral("rounds"), QStringLiteral("Rounds."),
                                    QStringLiteral("N"), QStringLiteral("10"));
    parser.addOptions({folders, delay, rounds});
    parser.addHelpOption();
    parser.process(app);
    const int folderCount = std::max(2, parser.value(folders).toInt());
    const int delayMs = std::max(0, parser.value(delay).toInt());
    const int roundCount = std::max(1, parser.value(rounds).toInt());

    QTemporaryDir tree;
    for (int i = 0; i < folderCount; ++i) {
        const QString folder = tree.filePath(QStringLiteral("Album %1").arg(i));
        QDir().mkpath(folder);
        for (int k = 0; k < 5; ++k) {
            QFile file(QStringLiteral("%1/Track %2.mp3").arg(folder).arg(k));
            if (!file.open(QIODevice::WriteOnly)) {
                std::fprintf(stderr, "could not build the tree\n");
                return 2;
            }
        }
    }
    std::printf("tree: %d folders of 5 files, each folder read takes %d ms\n", folderCount,
                delayMs);

    NativeFileSystem native;
    SlowFileSystem fs(native, std::chrono::milliseconds(delayMs));
    QRandomGenerator random(20261209);
    double worstFinished = 0;
    double worstListing = 0;
    for (int round = 0; round < roundCount; ++round) {
        PlaylistDocument document(PathRules::posix());
        PrintedDialogs dialogs;
        FolderTreeAdd add(document, fs, dialogs, tree.path());
        Clock::time_point cancelled;
        double finishedMs = -1;
        QObject::connect(&add, &FolderTreeAdd::finished,
                         [&] { finishedMs = millisecondsSince(cancelled); });
        add.start();
        // Somewhere in the middle of a folder read.
        QEventLoop loop;
        QTimer::singleShot(200 + random.bounded(400), &loop, &QEventLoop::quit);
        loop.exec();
        cancelled = Clock::now();
        add.cancel();
        while (finishedMs < 0)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        FolderTreeAdd::waitForListings(-1);
        const double listingMs = millisecondsSince(cancelled);
        std::printf("round %2d: %lld added; finished after %6.2f ms, listing gone after %6.2f ms\n",
                    round + 1, qlonglong(add.addedCount()), finishedMs, listingMs);
        worstFinished = std::max(worstFinished, finishedMs);
        worstListing = std::max(worstListing, listingMs);
    }
    std::printf("worst: walk finished %.2f ms, listing gone %.2f ms after Cancel"
                "   (target <= 100 ms: %s)\n",
                worstFinished, worstListing,
                std::max(worstFinished, worstListing) <= 100.0 ? "met" : "MISSED");
    return 0;
}
