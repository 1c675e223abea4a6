#pragma once

#include "platform/path_rules.h"
#include "playlist/entry_fingerprints.h"
#include "playlist/playlist_edit.h"

#include <QAbstractListModel>
#include <QHash>
#include <QSet>
#include <QStringList>

#include <utility>
#include <vector>

class PlaylistDocument;

// An entry whose file was found elsewhere: its row where it was looked at,
// its text then, and the text it takes.
struct MovedEntry {
    qsizetype row = 0;
    QString oldText;
    QString newText;
};

// Entries put in playlist order with their duplicate index, ready to become
// a playlist's entries in one step. Made where it does not hold up the
// window: sorting and indexing a million entries takes a while.
class OrderedEntries {
public:
    OrderedEntries() = default;
    // Sorts `entries` (equal ones keep their order) and indexes them.
    OrderedEntries(const PathRules& rules, QList<PlaylistEntry> entries);
    struct InOrder {};
    // Indexes `entries`, which are in playlist order already, as a
    // playlist's own entries are.
    OrderedEntries(const PathRules& rules, QList<PlaylistEntry> entries, InOrder);

    const QList<PlaylistEntry>& entries() const { return m_entries; }
    // Whether an entry the path rules take for `text` is among them.
    bool contains(const QString& text) const;
    // Leaves out the entries marked missing; the rest keep their order.
    void removeMissing();

private:
    friend class PlaylistModel;

    PathRules m_rules = PathRules::posix();
    QList<PlaylistEntry> m_entries;
    EntryFingerprints m_index;
};

// Moved entries rewritten where it does not hold up the window: the entries
// looked at, the moved ones with their new texts and found, in playlist order
// and indexed, and the row each entry looked at goes to. A model takes it in
// one step while its entries are still those looked at.
class RewrittenEntries {
public:
    RewrittenEntries() = default;
    // `missing` is row for row with `looked`: the marks the look found. Each
    // moved row must hold its old text in `looked`.
    RewrittenEntries(const PathRules& rules, const QList<PlaylistEntry>& looked,
                     const std::vector<char>& missing, const std::vector<MovedEntry>& moved);

    bool isEmpty() const { return m_rewritten == 0; }
    const QList<PlaylistEntry>& entries() const { return m_ordered.entries(); }

private:
    friend class PlaylistModel;

    OrderedEntries m_ordered;
    // m_rowOf[row looked at] = its row afterwards; empty when no row moved.
    QList<int> m_rowOf;
    int m_rewritten = 0;
};

// Missing entries removed where it does not hold up the window: the entries
// looked at that stay, in order and indexed, and the rows and entries that
// go. A model takes it in one step while its entries are still those looked
// at.
class RemainingEntries {
public:
    RemainingEntries() = default;
    // `removed` is row for row with `looked`.
    RemainingEntries(const PathRules& rules, const QList<PlaylistEntry>& looked,
                     const std::vector<char>& removed);

    bool isEmpty() const { return m_rows.isEmpty(); }

private:
    friend class PlaylistModel;

    OrderedEntries m_kept;
    QList<int> m_rows;
    QList<PlaylistEntry> m_removed;
};

// The playlist's entries, always in ascending order ignoring letter case, as
// the playlist view shows them: the one copy of the entries. Each entry
// carries the directive lines that stood above it in its file ("#EXTINF:..."),
// which move and go with it. Fingerprints of the entries, keyed as the path
// rules compare them, answer most duplicate tests without looking at the
// list; the rest are settled by a search of the ordered list.
//
// Anyone may read it; only PlaylistDocument changes it, so the order and the
// index can never disagree with the entries.
class PlaylistModel final : public QAbstractListModel {
    Q_OBJECT

public:
    // The entry's directive lines, as a QStringList.
    static constexpr int DirectivesRole = Qt::UserRole + 1;
    // True when the entry's file was not there when last looked for: the
    // view greys it, and its tooltip says where it was looked for.
    static constexpr int MissingRole = Qt::UserRole + 2;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    int count() const { return static_cast<int>(m_entries.size()); }
    const QString& entry(int row) const { return m_entries.at(row).text; }
    const QList<PlaylistEntry>& all() const { return m_entries; }
    // The entries' texts, in order.
    QStringList entries() const;
    // The directive lines of each entry, row for row with entries().
    QList<QStringList> directives() const;
    const QStringList& directives(int row) const { return m_entries.at(row).directives; }

    // True when an entry equal to `text` (as the path rules compare entries)
    // is in the playlist, or waiting in the current batch.
    bool contains(const QString& text) const;

    // The entries marked missing: how many, and their rows (ascending).
    int missingCount() const;
    QList<int> missingRows() const;

private:
    friend class PlaylistDocument;

    explicit PlaylistModel(PathRules rules, QObject* parent);

    // Adds `text` with its directive lines at its sorted place (entries
    // equal but for case in a fixed order among themselves, equal entries
    // after the ones already there). Inside a batch the entry waits until the
    // batch is flushed.
    void insertSorted(const QString& text, const QStringList& directives = {},
                      bool missing = false);
    // Batches many adds: they are merged into the list in one step by
    // flushPending() or by the outermost endBatch().
    void beginBatch();
    void endBatch();
    void flushPending();
    // The waiting entries are a fixed share of the list: merging them now,
    // and only now, makes the merges of a long stream of adds, each as
    // costly as the list is long, add up to a small multiple of its final
    // length.
    bool mergeIsDue() const;
    bool hasPending() const { return !m_pending.isEmpty(); }
    // Sorts the entries added since the last call, so a merge need not.
    void sortPendingRuns();
    void reserve(qsizetype count);
    // Rewrites every entry's text, keeping its directives; the list is put
    // back in order when the new texts broke it.
    template <typename Rewrite> void rewriteAll(Rewrite rewrite);
    void restoreOrder();
    // Removes the given rows (any order; duplicates and rows out of range
    // ignored) and gives them back in row order.
    QList<PlaylistEntry> removeEntries(QList<int> rows);
    // Removes the given ascending rows in one pass; views hear of it once.
    QList<PlaylistEntry> removeSortedRows(const QList<int>& rows);
    // Puts entries back at the given ascending rows (their rows afterwards).
    void insertAtRows(const QList<int>& rows, QList<PlaylistEntry> entries);
    // Replaces every entry at once (a re-root taken back).
    void replaceAll(QList<PlaylistEntry> entries);
    // Marks each entry missing or not as a look at the disk found it:
    // `missing` is row for row with `looked`, the entries as they were
    // looked at, and `missingTexts` holds the texts of the missing ones.
    // When the entries changed since, each is judged by its text alone.
    // Returns how many are marked missing.
    int markMissing(const QList<PlaylistEntry>& looked, const std::vector<char>& missing,
                    const QSet<QString>& missingTexts);
    // Gives each moved entry its new text, marks it found and keeps its
    // directive lines; the list is put back in order. Row for row while the
    // rows still hold the old texts, else by text. Returns how many entries
    // changed.
    int rewriteMoved(const std::vector<MovedEntry>& moved);
    // Takes a rewrite made from the entries as they stand now, in one
    // layout change that views and persistent indexes follow row by row.
    // Returns how many entries changed.
    int takeRewritten(RewrittenEntries rewritten);
    // Takes a removal made from the entries as they stand now; views hear of
    // it once. Returns how many entries went.
    int takeRemaining(RemainingEntries remaining);
    // Replaces every entry at once, index and all (a playlist file read).
    void replaceAll(OrderedEntries ordered);
    void clear();

    // While set, every change is written down in it.
    void record(PlaylistEdit* edit) { m_recording = edit; }
    // Taking an edit back is no edit of its own.
    class RecordingPaused {
    public:
        explicit RecordingPaused(PlaylistModel& model)
            : m_model(model)
            , m_edit(std::exchange(model.m_recording, nullptr)) {}
        ~RecordingPaused() { m_model.m_recording = m_edit; }
        RecordingPaused(const RecordingPaused&) = delete;
        RecordingPaused& operator=(const RecordingPaused&) = delete;

    private:
        PlaylistModel& m_model;
        PlaylistEdit* m_edit;
    };

    void recordRemoved(const QList<int>& rows, const QList<PlaylistEntry>& entries);
    // Moves the persistent indexes as the rows moved (rowOf[old row] = new
    // row), between the signals of a layout change.
    void followMovedRows(const QList<int>& rowOf);
    void addToIndex(const QString& text);
    void removeFromIndex(const QString& text);
    void mergePending(QList<PlaylistEntry> pending);
    // Moves the rows appended after the first `oldCount` before the old rows
    // given by `before`, telling views and persistent indexes.
    void moveAppendedInPlace(int oldCount, const QList<int>& before);

    PathRules m_rules;
    // The document's root path, for the tooltips of missing entries.
    QString m_root;
    QList<PlaylistEntry> m_entries;
    QList<PlaylistEntry> m_pending;
    // Where each sorted run of m_pending ends; entries after the last run
    // are not sorted yet.
    QList<qsizetype> m_pendingRuns;
    PlaylistEdit* m_recording = nullptr;
    // A fingerprint of every entry's identity key, waiting ones too.
    EntryFingerprints m_index;
    int m_batchDepth = 0;
};

template <typename Rewrite> void PlaylistModel::rewriteAll(Rewrite rewrite) {
    flushPending();
    if (m_entries.isEmpty())
        return;
    m_index.clear();
    for (PlaylistEntry& entry : m_entries) {
        entry.text = rewrite(entry.text);
        addToIndex(entry.text);
    }
    Q_EMIT dataChanged(index(0), index(count() - 1));
    restoreOrder();
}
