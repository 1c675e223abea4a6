#pragma once

#include "platform/file_identity.h"
#include "platform/path_rules.h"
#include "platform/text_codec.h"
#include "playlist/playlist_model.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class Dialogs;

// The playlist being edited: its entries with their directive lines, the
// header and trailer lines of its file and its encoding, the root path the
// entries are relative to, the file it is saved to, and whether it has
// unsaved changes.
// The one owner of that state: every change goes through it, and it tells
// about each change by a signal, so the window only listens.
//
// Its invariants: the entries are in playlist order (ascending, ignoring
// letter case) and the duplicate index agrees with them; the root path is
// empty or ends in a separator.
class PlaylistDocument final : public QObject {
    Q_OBJECT

public:
    explicit PlaylistDocument(PathRules rules, QObject* parent = nullptr);

    const PathRules& rules() const { return m_rules; }

    // --- entries -----------------------------------------------------------
    // The entries as a list model, for a view.
    PlaylistModel* model() { return &m_model; }
    // Each entry with its directive lines, in playlist order.
    const QList<PlaylistEntry>& allEntries() const { return m_model.all(); }
    // The entries are still `basis`, a copy taken of allEntries().
    bool holds(const QList<PlaylistEntry>& basis) const;
    QStringList entries() const { return m_model.entries(); }
    int count() const { return m_model.count(); }
    const QString& entry(int row) const { return m_model.entry(row); }
    // The directive lines that stood above each entry in its file
    // ("#EXTINF:201,Artist - Title"), row for row with entries(). They move
    // and go with their entry; entries the program adds carry none.
    QList<QStringList> directives() const { return m_model.directives(); }
    const QStringList& directives(int row) const { return m_model.directives(row); }

    // What adding one file did.
    enum class AddResult { Added, AlreadyPresent, OutsideRoot };
    // Adds the file at `path` as an entry: relative to the root path when
    // one is set (refused when the path does not begin with the root),
    // skipped when an equal entry is present. Sets the modified flag when it
    // adds. The path is used as it stands, neither trimmed nor normalised,
    // except that an entry that would begin with '#' and so read back as a
    // directive is written "./#..." (".\#..." under Windows rules), which
    // names the same file.
    AddResult addFile(const QString& path);
    // Puts `text` into the playlist at its place as it stands, with the
    // directive lines that stood above it, without the tests of an add and
    // without touching the modified flag: an entry read from a playlist file
    // (after loadFrom()).
    void insertEntry(const QString& text, const QStringList& directives = {});
    // Removes the given rows (any order; rows not in the list are ignored)
    // and sets the modified flag when it removed any.
    void removeRows(const QList<int>& rows);
    // Removes the entries marked missing, with the removal made ahead of
    // time from `basis`, a copy of allEntries(): taken in one step while the
    // entries are still `basis`, else made here.
    void removeMissingRows(RemainingEntries remaining, const QList<PlaylistEntry>& basis);
    // The entry addFile() would make of `path`, or nothing when the path is
    // outside the root; the second form for any root.
    std::optional<QString> entryForPath(const QString& path) const {
        return entryForPath(m_rules, m_rootPath, path);
    }
    static std::optional<QString> entryForPath(const PathRules& rules, const QString& root,
                                               const QString& path);

    // Which entries' files are missing (PlaylistEntry::missing). A mark is
    // no change of the playlist: it is never saved, undone or counted as a
    // modification. See PlaylistModel::markMissing().
    int markMissing(const QList<PlaylistEntry>& looked, const std::vector<char>& missing,
                    const QSet<QString>& missingTexts) {
        return m_model.markMissing(looked, missing, missingTexts);
    }
    int missingCount() const { return m_model.missingCount(); }
    QList<int> missingRows() const { return m_model.missingRows(); }
    // Entries whose files were found elsewhere take their new texts, keep
    // their directive lines and lose their missing mark; one edit, which sets
    // the modified flag. Returns how many changed.
    int rewriteMovedEntries(const std::vector<MovedEntry>& moved);
    // The same, with the rewrite made ahead of time from `basis`, a copy of
    // allEntries(): taken in one step while the entries are still `basis`
    // (the copy shares their data until either changes), else made from
    // `moved` as above.
    int rewriteMovedEntries(const std::vector<MovedEntry>& moved, RewrittenEntries rewritten,
                            const QList<PlaylistEntry>& basis);

    // The file's first line when it is an extended playlist's "#EXTM3U..."
    // header, else empty; written first on saving.
    const QString& header() const { return m_header; }
    // Directive lines at the end of the file with no entry below them;
    // written last on saving.
    const QStringList& trailer() const { return m_trailer; }
    // How the file stored its text (UTF-8 with or without a mark, UTF-16);
    // saving writes it the same way. Plain for a playlist not read from a file.
    TextCodec::PlaylistEncoding encoding() const { return m_encoding; }

    // Many adds at once: for as long as a Batch lives, adds wait and are
    // merged into the list in one step, so views see one change. Given the
    // dialogs, it brings the waiting adds into the list before any of their
    // boxes shows (a box lets the window repaint), so no caller has to.
    //
    // A long stream of adds (a folder walk, turn after turn) ends its batches
    // with Merge::Later and merges only when mergeIsDue(): each merge
    // rebuilds the list and makes views lay it out again, so merging every
    // turn would cost the square of the list's length. Waiting entries count
    // for the duplicate test all along, and readers that need every entry
    // (saving) bring them in first.
    class Batch {
    public:
        enum class Merge { AtEnd, Later };
        explicit Batch(PlaylistDocument& document, Dialogs* dialogs = nullptr,
                       Merge merge = Merge::AtEnd);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        PlaylistDocument& m_document;
        Dialogs* m_dialogs;
        Merge m_merge;
        std::function<void()> m_previous;
    };
    // Brings waiting adds into the list now: before a message box, which
    // lets the window repaint.
    void flushPendingEntries() { m_model.flushPending(); }
    bool hasPendingEntries() const { return m_model.hasPending(); }
    // Enough adds wait that merging them now keeps the cost of a long stream
    // of adds in proportion to its length.
    bool mergeIsDue() const { return m_model.mergeIsDue(); }
    // Room for `count` more entries, so a big batch of known size grows the
    // index once.
    void reserveEntries(qsizetype count) { m_model.reserve(count); }

    // --- root path ---------------------------------------------------------
    // "" for none, else a folder path ending in a separator.
    const QString& rootPath() const { return m_rootPath; }
    // Sets the root path without touching the entries (a playlist being read
    // decides its root, after loadFrom()). A path not ending in a separator
    // gets one.
    void setRootPath(const QString& root);
    // Re-bases every entry on `newRoot` ("" for none; a separator is added
    // when it lacks one): each entry's full path (old root + entry) loses the
    // new root's characters from its front. When some entry's full path does
    // not begin with the new root, nothing changes and the result is false.
    // URL entries name no file below any root and stay as written. On
    // success the root is set and the modified flag too, also when the root
    // stays the same.
    bool changeRoot(const QString& newRoot);

    // --- the file ----------------------------------------------------------
    // Full path of the playlist file that Save writes.
    const QString& filePath() const { return m_filePath; }
    // The playlist or root path differs from what was last read or written,
    // or a command said it changed when it did not.
    bool isModified() const { return m_modified; }
    // The file path names the file last read or written: Save replaces it
    // without asking.
    bool isBoundToFile() const { return m_boundToFile; }
    // The file as it was when last read or written (nothing when unknown):
    // Save tells by it whether another program has changed the file since.
    const std::optional<FileIdentity>& fileIdentity() const { return m_fileIdentity; }

    // New: an empty playlist named `path`, bound to no file, unmodified.
    // The root path stays. The history starts afresh.
    void startUntitled(const QString& path);
    // A playlist file is being read: the playlist empties and takes the
    // file's name, header, trailer, encoding and identity; it is bound to the
    // file and unmodified. Its entries follow through insertEntry(). The
    // history starts afresh.
    void loadFrom(const QString& path, const QString& header, const QStringList& trailer,
                  TextCodec::PlaylistEncoding encoding,
                  const std::optional<FileIdentity>& identity);
    // A playlist file was read in full: everything is replaced in one step by
    // the file's name, header, trailer, encoding and identity, the root path
    // it decided (nothing keeps the current one) and its entries. Bound to
    // the file, unmodified; the history starts afresh. Views see one reset.
    void loadFrom(const QString& path, const QString& header, const QStringList& trailer,
                  TextCodec::PlaylistEncoding encoding, const std::optional<FileIdentity>& identity,
                  const std::optional<QString>& root, OrderedEntries entries);
    // The playlist was written to `path`, which is now as `identity` says:
    // its name, bound, unmodified; this is now the saved state.
    void markSaved(const QString& path, const std::optional<FileIdentity>& identity);
    // The playlist is named `path` (Save As), or keeps its name (Open, before
    // its dialog), and is bound to no file: Save will ask before replacing
    // whatever is there.
    void unbindFrom(const QString& path);
    // Some commands count as a change although they change
    // nothing (an add refused or already present, an empty drop, Remove with
    // no row, a load that left lines out): the playlist counts as modified
    // until the next save, whatever is undone.
    void markModifiedWithoutChange();

    // --- history -----------------------------------------------------------
    // Writes down every change of the entries and the root path from now on,
    // until the matching endEdit(). Nested calls make one edit. Returns a
    // token for endEdit().
    int beginEdit();
    // The changes since the outermost beginEdit(); empty when the history
    // started afresh meanwhile or nothing changed.
    PlaylistEdit endEdit(int token);
    // Takes an edit back / does it again. `atSavedState`: the history is
    // back at the state last saved, so the playlist is unmodified unless a
    // command marked it modified without a change.
    void undo(PlaylistEdit& edit, bool atSavedState);
    void redo(PlaylistEdit& edit, bool atSavedState);

Q_SIGNALS:
    void modifiedChanged(bool modified);
    void filePathChanged(const QString& path);
    void rootPathChanged(const QString& root);
    // New, a load: nothing before can be undone.
    void historyReset();
    // The current state was saved.
    void saved();

private:
    void setFilePath(const QString& path);
    void setModified(bool modified);
    void settleModified(bool atSavedState);
    void startAfresh();
    // Writes down a change that replaced the entries, which were `before`.
    void recordReplaced(const QList<PlaylistEntry>& before, const QString& rootBefore);
    QString asRootPath(const QString& root) const;
    // An entry from a path below the root, and back (see addFile()).
    QString entryFor(const QString& relative) const;
    QString pathOf(const QString& entry) const;

    PathRules m_rules;
    PlaylistModel m_model;
    QString m_header;
    QStringList m_trailer;
    TextCodec::PlaylistEncoding m_encoding = TextCodec::PlaylistEncoding::Plain;
    QString m_rootPath;
    QString m_filePath;
    bool m_modified = false;
    bool m_boundToFile = false;
    // Marked modified without a change since the last save.
    bool m_modifiedWithoutChange = false;
    // The edit being written down, and by how many commands.
    PlaylistEdit m_edit;
    int m_editDepth = 0;
    int m_editToken = 0;
    std::optional<FileIdentity> m_fileIdentity;
};
