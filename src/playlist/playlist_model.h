#pragma once

#include "platform/path_rules.h"

#include <QAbstractListModel>
#include <QHash>
#include <QStringList>

// The playlist: its entries, always in ascending order ignoring letter case,
// and the root path the entries are relative to. List1 shows this model; it
// is the one copy of the entries.
//
// An index of the entries (keyed as the path rules compare them) answers the
// duplicate test without scanning the list.
class PlaylistModel : public QAbstractListModel {
    Q_OBJECT

public:
    explicit PlaylistModel(PathRules rules, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    const PathRules& rules() const { return m_rules; }

    int count() const { return static_cast<int>(m_entries.size()); }
    const QString& entry(int row) const { return m_entries.at(row); }
    const QStringList& entries() const { return m_entries; }

    // True when an entry equal to `text` (as the path rules compare entries)
    // is in the playlist, or waiting in the current batch.
    bool contains(const QString& text) const;

    // Adds `text` at its sorted place (entries equal but for case in a fixed
    // order among themselves, equal entries after the ones already there).
    // Duplicates are the caller's business. Inside a batch the entry waits
    // until the batch is flushed.
    void insertSorted(const QString& text);

    // Batches many adds: they are merged into the list in one step by
    // flushPending() or by the outermost endBatch(). Flush before letting
    // events run, so the list is in order whenever anyone looks at it.
    void beginBatch();
    void endBatch();
    void flushPending();
    // Makes room for `count` more entries, so the index of a big batch of
    // known size grows once instead of step by step.
    void reserve(qsizetype count);

    // Rewrites one entry in its place, without re-sorting.
    void replaceEntry(int row, const QString& text);
    // Removes the given rows (any order, duplicates ignored).
    void removeEntries(QList<int> rows);
    void clear();

    // The root path, "" for none, else a folder path ending in a separator.
    const QString& rootPath() const { return m_rootPath; }
    void setRootPath(const QString& root);

Q_SIGNALS:
    void rootPathChanged(const QString& root);

private:
    void addToIndex(const QString& text);
    void removeFromIndex(const QString& text);

    PathRules m_rules;
    QStringList m_entries;
    QStringList m_pending;
    QHash<QString, int> m_index; // identity key -> how many entries have it
    int m_batchDepth = 0;
    QString m_rootPath;
};

// A batch for the length of a scope: the adds made meanwhile are merged into
// the list in one step when it ends. Do not let events run inside it without
// flushing first.
class PlaylistBatch {
public:
    explicit PlaylistBatch(PlaylistModel& playlist)
        : m_playlist(playlist) {
        m_playlist.beginBatch();
    }
    ~PlaylistBatch() {
        m_playlist.endBatch();
        // Inside an outer batch (a command run while a folder walk lets
        // events run) the outer endBatch would come too late.
        m_playlist.flushPending();
    }
    PlaylistBatch(const PlaylistBatch&) = delete;
    PlaylistBatch& operator=(const PlaylistBatch&) = delete;

private:
    PlaylistModel& m_playlist;
};
