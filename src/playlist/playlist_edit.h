#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

// One entry of the playlist: its text and the directive lines that stood
// above it in its file ("#EXTINF:201,Artist - Title"), which move and go
// with it. Entries the program adds carry none.
struct PlaylistEntry {
    QString text;
    QStringList directives;
    // Its file was not there when last looked for (by a load, or by a
    // command that looks again): the playlist shows it greyed. Never written
    // to the file.
    bool missing = false;
};
// Its parts may be moved as bytes: a list of a million entries grows in
// place instead of being copied into a new block beside the old.
Q_DECLARE_TYPEINFO(PlaylistEntry, Q_RELOCATABLE_TYPE);

// What one user command did to the entries and the root path, kept so that
// it can be taken back and done again. It holds row numbers for what was
// added and the removed entries themselves (moved out of the list, so their
// strings are shared, never copied); a re-root keeps the lists before and
// after, which share every string that did not change.
class PlaylistEdit {
public:
    bool isEmpty() const { return m_parts.empty(); }
    // How many entries it added, and removed.
    int insertedCount() const { return count(Part::Kind::Inserted); }
    int removedCount() const { return count(Part::Kind::Removed); }

private:
    friend class PlaylistModel;
    friend class PlaylistDocument;

    struct Part {
        enum class Kind { Inserted, Removed, Replaced };
        Kind kind = Kind::Inserted;
        // Inserted: the entries' rows after the insert; Removed: their rows
        // before the removal. Ascending.
        QList<int> rows;
        // Removed, while done; Inserted, while undone.
        QList<PlaylistEntry> entries;
        // Replaced.
        QList<PlaylistEntry> before;
        QList<PlaylistEntry> after;
        QString rootBefore;
        QString rootAfter;
    };
    // Adds an insert at ascending `rows`; folded into the last part when that
    // was an insert too, so a walk of many batches undoes in one pass.
    void addInserted(QList<int> rows);
    int count(Part::Kind kind) const;

    std::vector<Part> m_parts;
};
