#pragma once

#include "platform/file_identity.h"
#include "platform/path_rules.h"
#include "platform/text_codec.h"
#include "playlist/playlist_model.h"

#include <QObject>
#include <QString>

#include <optional>

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
    const QStringList& entries() const { return m_model.entries(); }
    int count() const { return m_model.count(); }
    const QString& entry(int row) const { return m_model.entry(row); }
    // The directive lines that stood above each entry in its file
    // ("#EXTINF:201,Artist - Title"), row for row with entries(). They move
    // and go with their entry; entries the program adds carry none.
    const QList<QStringList>& directives() const { return m_model.directives(); }
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
    // without touching the modified flag: an entry read from a playlist file.
    void insertEntry(const QString& text, const QStringList& directives = {});
    // Removes the given rows (any order; rows not in the list are ignored).
    // The modified flag is the caller's business.
    void removeRows(const QList<int>& rows);
    // Empties the playlist: entries, header, trailer and encoding.
    void clearEntries();

    // The file's first line when it is an extended playlist's "#EXTM3U..."
    // header, else empty; written first on saving.
    const QString& header() const { return m_header; }
    void setHeader(const QString& header) { m_header = header; }
    // Directive lines at the end of the file with no entry below them;
    // written last on saving.
    const QStringList& trailer() const { return m_trailer; }
    void setTrailer(const QStringList& trailer) { m_trailer = trailer; }
    // How the file stored its text (UTF-8 with or without a mark, UTF-16);
    // saving writes it the same way. Plain for a playlist not read from a file.
    TextCodec::PlaylistEncoding encoding() const { return m_encoding; }
    void setEncoding(TextCodec::PlaylistEncoding encoding) { m_encoding = encoding; }

    // Many adds at once: for as long as a Batch lives, adds wait and are
    // merged into the list in one step, so views see one change. Anything
    // that lets the window repaint (a message box) must flush first.
    class Batch {
    public:
        explicit Batch(PlaylistDocument& document);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        PlaylistDocument& m_document;
    };
    // Brings waiting adds into the list now.
    void flushPendingEntries() { m_model.flushPending(); }
    // Room for `count` more entries, so a big batch of known size grows the
    // index once.
    void reserveEntries(qsizetype count) { m_model.reserve(count); }

    // --- root path ---------------------------------------------------------
    // "" for none, else a folder path ending in a separator.
    const QString& rootPath() const { return m_rootPath; }
    // Sets the root path without touching the entries (a playlist being read
    // decides its root). A path not ending in a separator gets one.
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
    void setFilePath(const QString& path);
    // The playlist or root path differs from what was last read or written.
    bool isModified() const { return m_modified; }
    void setModified(bool modified);
    // The file path names the file last read or written: Save replaces it
    // without asking.
    bool isBoundToFile() const { return m_boundToFile; }
    void setBoundToFile(bool bound) { m_boundToFile = bound; }
    // The file as it was when last read or written (nothing when unknown):
    // Save tells by it whether another program has changed the file since.
    const std::optional<FileIdentity>& fileIdentity() const { return m_fileIdentity; }
    void setFileIdentity(const std::optional<FileIdentity>& identity) { m_fileIdentity = identity; }

Q_SIGNALS:
    void modifiedChanged(bool modified);
    void filePathChanged(const QString& path);
    void rootPathChanged(const QString& root);

private:
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
    std::optional<FileIdentity> m_fileIdentity;
};
