#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

#include <chrono>

class Dialogs;
struct CommandContext;

// What one Add Entire Dir keeps while it walks its folder tree: when it last
// let the window process events, and the folders it could not read. Every
// walk has its own, so a second walk started while this one lets events run
// leaves it undisturbed.
class FolderWalk {
public:
    using Clock = std::chrono::steady_clock;

    // How long the walk works between two turns of the event loop: short
    // enough for the window to repaint and answer smoothly, long enough that
    // merging the adds made meanwhile into the list costs little.
    static constexpr std::chrono::milliseconds kTurnInterval{15};

    explicit FolderWalk(std::chrono::milliseconds turnInterval = kTurnInterval);

    // Called after every file and before every sub-folder. When the turn
    // interval has passed, brings the playlist in order and lets the window
    // process pending events (repaint, other commands).
    void letEventsRun(CommandContext& ctx);

    // A folder that could not be opened or listed. The same folder met again
    // by the pass of a later pattern counts once.
    void skip(const QString& folder, const QString& reason);
    const QStringList& skippedFolders() const { return m_skipped; }

    // One message saying how many folders were skipped and naming the first;
    // nothing when none was.
    void reportSkipped(Dialogs& dialogs) const;

private:
    std::chrono::milliseconds m_turnInterval;
    Clock::time_point m_lastTurn;
    QStringList m_skipped;
    QSet<QString> m_seen;
    QString m_firstReason;
};
