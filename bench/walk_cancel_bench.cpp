// How soon Cancel stops Add Entire Dir on a slow mount: a tree whose every
// folder read takes 50 ms. Each round starts a walk, lets it run a while,
// cancels it, and times from the cancel to the walk's end on the window's
// thread and to the moment its listing has left the file system.
//
//   bench_walk_cancel [--folders N] [--delay MS] [--rounds N]
//
// Prints the worst of the rounds against the target of 100 ms.

#include "bench_support.h"
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

// The real disk, with every folder read taking `delay`, as on a slow or
// distant mount.
class SlowFileSystem final : public FileSystem {
public:
    explicit SlowFileSystem(std::chrono::milliseconds delay)
        : m_delay(delay) {}

    const PathRules& rules() const override { return m_fs.rules(); }
    std::unique_ptr<FileNameSearch> search(const QString& pattern, SearchMask mask,
                                           QString* error = nullptr) override {
        return m_fs.search(pattern, mask, error);
    }
    bool hasFileNamed(const QString& path, SearchMask mask) override {
        return m_fs.hasFileNamed(path, mask);
    }
    QString parentFolder(const QString& path) const override { return m_fs.parentFolder(path); }
    QString buildPath(const QString& folder, const QString& name) const override {
        return m_fs.buildPath(folder, name);
    }
    std::optional<FolderInfo> folder(const QString& path, QString* error = nullptr) override {
        std::this_thread::sleep_for(m_delay);
        return m_fs.folder(path, error);
    }
    std::optional<QStringList> listFolders(const QString& path, QString* error = nullptr) override {
        return m_fs.listFolders(path, error);
    }
    std::optional<QStringList> listFiles(const QString& path, const QString& patterns,
                                         QString* error = nullptr) override {
        return m_fs.listFiles(path, patterns, error);
    }
    bool isFolder(const QString& path) override { return m_fs.isFolder(path); }
    QList<DriveInfo> drives() override { return m_fs.drives(); }
    QString currentFolder() override { return m_fs.currentFolder(); }
    std::optional<QByteArray> readFile(const QString& path, QString* error = nullptr) override {
        return m_fs.readFile(path, error);
    }
    std::optional<QByteArray> readFileTail(const QString& path, qint64 count,
                                           QString* error = nullptr) override {
        return m_fs.readFileTail(path, count, error);
    }
    bool writeFileAtomic(const QString& path, const QByteArray& bytes,
                         QString* error = nullptr) override {
        return m_fs.writeFileAtomic(path, bytes, error);
    }
    std::optional<FileIdentity> fileIdentity(const QString& path) override {
        return m_fs.fileIdentity(path);
    }
    bool makeFolders(const QString& path, QString* error = nullptr) override {
        return m_fs.makeFolders(path, error);
    }

private:
    NativeFileSystem m_fs;
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

    SlowFileSystem fs{std::chrono::milliseconds(delayMs)};
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
