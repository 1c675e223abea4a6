// The recovery copy of a large extended playlist: how long the window's
// thread is held while the copy is written (the longest pause between two
// turns of its event loop, measured by a 1 ms timer), against the target of
// 20 ms; how long the worker takes; and what the first edit after a copy
// costs (the entries it shares with the copy are then copied), against the
// same edit with nothing shared.
//
//   bench_recovery [--entries N] [--rounds N]

#include "bench_support.h"
#include "platform/recovery_folder.h"
#include "playlist/playlist_document.h"
#include "playlist_file/recovery_keeper.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using bench::Clock;
using bench::millisecondsSince;

namespace {

int argument(const QStringList& arguments, const QString& name, int fallback) {
    const qsizetype at = arguments.indexOf(name);
    return at >= 0 && at + 1 < arguments.size() ? arguments[at + 1].toInt() : fallback;
}

// One edit as a user makes it: an entry added at its place.
double timedEdit(PlaylistDocument& document, int n) {
    const Clock::time_point start = Clock::now();
    document.insertEntry(QStringLiteral("/music/Added %1.mp3").arg(n));
    document.markModifiedWithoutChange();
    return millisecondsSince(start);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const int entries = argument(arguments, QStringLiteral("--entries"), 100000);
    const int rounds = argument(arguments, QStringLiteral("--rounds"), 5);
    if (entries < 1 || rounds < 1) {
        std::fprintf(stderr, "usage: %s [--entries N] [--rounds N]\n", argv[0]);
        return 2;
    }
    QTemporaryDir state;
    PlaylistDocument document(PathRules::posix());
    {
        const PlaylistDocument::Batch batch(document);
        document.reserveEntries(entries);
        for (int i = 0; i < entries; ++i)
            document.insertEntry(QStringLiteral("/music/Artist %1 Ensemble/Album %2/Track %3.mp3")
                                     .arg(i / 2000, 3, 10, QLatin1Char('0'))
                                     .arg(i / 100, 4, 10, QLatin1Char('0'))
                                     .arg(i, 6, 10, QLatin1Char('0')),
                                 {QStringLiteral("#EXTINF:%1,Artist %2 - Title %3")
                                      .arg(120 + i % 300)
                                      .arg(i / 2000)
                                      .arg(i)});
    }
    RecoveryFolder folder(state.filePath(QStringLiteral("recovery")));
    RecoveryKeeper keeper(document, folder, 1);

    bench::Samples holds, copies, sharedEdits, plainEdits;
    qint64 copyBytes = 0;
    for (int round = 0; round < rounds; ++round) {
        // A plain edit, nothing shared: the reference.
        keeper.waitForWorker();
        plainEdits.add(timedEdit(document, 2 * round), 0);

        QEventLoop loop;
        const QMetaObject::Connection done =
            QObject::connect(&keeper, &RecoveryKeeper::written, &loop, &QEventLoop::quit);
        bench::LoopGaps gaps;
        const Clock::time_point start = Clock::now();
        gaps.start();
        loop.exec();
        gaps.stop();
        QObject::disconnect(done);
        copies.add(millisecondsSince(start), 0);
        copyBytes = QFileInfo(folder.ownCopy()).size();
        holds.add(gaps.longestMs, gaps.longestCpuMs);

        // The first edit after the copy: the document's lists are shared
        // with the snapshot until then.
        sharedEdits.add(timedEdit(document, 2 * round + 1), 0);
        document.markSaved(document.filePath(), document.fileIdentity()); // the copy goes; the next round starts afresh
    }
    keeper.waitForWorker();

    std::printf("playlist: %d entries, each with an #EXTINF line; copy %.1f MB\n", entries,
                double(copyBytes) / (1 << 20));
    std::printf("%-34s: best %6.1f ms, worst %6.1f ms (target < 20 ms: %s)\n",
                "window thread held, longest", holds.bestMs(),
                *std::max_element(holds.ms.begin(), holds.ms.end()),
                *std::max_element(holds.ms.begin(), holds.ms.end()) < 20 ? "met" : "MISSED");
    std::printf("%-34s: best %6.1f ms, median %6.1f ms\n", "change to copy on disk (worker)",
                copies.bestMs(), copies.medianMs());
    std::printf("%-34s: best %6.1f ms, median %6.1f ms\n", "edit, nothing shared",
                plainEdits.bestMs(), plainEdits.medianMs());
    std::printf("%-34s: best %6.1f ms, median %6.1f ms\n", "first edit after a copy",
                sharedEdits.bestMs(), sharedEdits.medianMs());
    return 0;
}
