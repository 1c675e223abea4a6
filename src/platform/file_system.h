#pragma once

#include "platform/file_identity.h"
#include "platform/path_rules.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHashFunctions>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

// Which entries a file-name search finds.
enum class SearchMask {
    Normal,   // ordinary and read-only files; no hidden or system files, no folders
    AllFiles, // every file, hidden and system files included; never a folder
};

// One running file-name search. Every search owns its state, so a folder walk
// that yields to the event loop is never disturbed by another search.
class FileNameSearch {
public:
    virtual ~FileNameSearch() = default;
    // The next matching name (without its folder), or nothing at the end.
    virtual std::optional<QString> next() = 0;
};

// What makes a folder the same folder by whichever path it is reached:
// device and inode on POSIX systems.
struct FolderIdentity {
    quint64 device = 0;
    quint64 inode = 0;

    friend bool operator==(const FolderIdentity&, const FolderIdentity&) = default;
};

inline size_t qHash(const FolderIdentity& identity, size_t seed = 0) {
    return qHashMulti(seed, identity.device, identity.inode);
}

// A folder as the file system reports it: its full path, its identity and its
// sub-folders (full paths, in the file system's own order).
struct FolderInfo {
    QString path;
    FolderIdentity identity;
    QStringList subFolders;
};

// A mounted volume (Linux) or a drive letter (Windows).
struct DriveInfo {
    QString rootPath; // "/", "/media/usb", "C:\"
    QString label;    // what the drive selector shows
};

// The services the program asks of the file system. NativeFileSystem is the
// real one; tests use an in-memory tree with Windows rules.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual const PathRules& rules() const = 0;

    // Starts a search for `pattern` (a folder path and a name that may hold
    // '*' and '?', matched ignoring case). Returns nullptr with *error set
    // when the path cannot be searched (missing drive, malformed path, no
    // access). A search that matches nothing is a valid, empty search.
    virtual std::unique_ptr<FileNameSearch> search(const QString& pattern, SearchMask mask,
                                                   QString* error = nullptr) = 0;
    // True when `path`, taken as it stands ('*' and '?' are characters of
    // the name, trailing spaces too), names an existing file that `mask`
    // finds. Any error means false. This one lists the folder when the name
    // holds a wildcard; a real file system looks the name up directly.
    virtual bool hasFileNamed(const QString& path, SearchMask mask);

    // The part of a path before its last separator; a drive's top folder keeps
    // its separator ("D:\", "/"); empty for a bare name.
    virtual QString parentFolder(const QString& path) const;
    // Folder and name joined with exactly one separator.
    virtual QString buildPath(const QString& folder, const QString& name) const;

    // Opens an existing folder. Links to folders count as sub-folders, named
    // by the path through the link; a walk that would end uses the identity
    // to enter each folder once. Nothing with *error set when the folder
    // cannot be opened or listed.
    virtual std::optional<FolderInfo> folder(const QString& path, QString* error = nullptr) = 0;

    // For the browser: names of the visible sub-folders of `path`, and of the
    // visible files matching any of `patterns` ("*.mp3;*.wav"), both in
    // ascending order ignoring case. Nothing with *error set when the folder
    // cannot be read.
    virtual std::optional<QStringList> listFolders(const QString& path,
                                                   QString* error = nullptr) = 0;
    virtual std::optional<QStringList> listFiles(const QString& path, const QString& patterns,
                                                 QString* error = nullptr) = 0;
    virtual bool isFolder(const QString& path) = 0;

    // The machine's drives, the system drive first.
    virtual QList<DriveInfo> drives() = 0;
    // The process's current folder at start-up.
    virtual QString currentFolder() = 0;

    // Whole-file read; nothing with *error set on failure.
    virtual std::optional<QByteArray> readFile(const QString& path, QString* error = nullptr) = 0;
    // The same bytes as readFile(), handed to `take` in pieces of at most
    // `pieceSize` bytes, in order, so that a big file need not be held whole.
    // A view stays valid only during its call. Stops, and returns true, when
    // `take` says no; nothing is handed on when the file cannot be read
    // (false, with *error set). This one reads the whole file first; a real
    // file system reads piece by piece.
    virtual bool readFilePieces(const QString& path, qsizetype pieceSize,
                                const std::function<bool(QByteArrayView)>& take,
                                QString* error = nullptr);
    // The last `count` bytes of a file (fewer when the file is shorter).
    virtual std::optional<QByteArray> readFileTail(const QString& path, qint64 count,
                                                   QString* error = nullptr) = 0;
    // Replaces the file's content as a whole, or leaves it as it was and
    // sets *error to the system's reason: a full disk, a read-only file or
    // folder never cost the old content. The file keeps its owner, group,
    // mode, attributes and other hard links; a symbolic link stays a link
    // and its target is written.
    virtual bool writeFileAtomic(const QString& path, const QByteArray& bytes,
                                 QString* error = nullptr) = 0;
    // What tells whether the file at `path` (links followed) is still the one
    // last read or written; nothing when there is no file, or the file system
    // cannot tell.
    virtual std::optional<FileIdentity> fileIdentity(const QString& path) {
        Q_UNUSED(path);
        return std::nullopt;
    }
    // Creates the folder and every missing folder above it. True when it
    // exists afterwards; false, with *error set, when it cannot be made (a
    // file in the way, no permission).
    virtual bool makeFolders(const QString& path, QString* error = nullptr) = 0;
};

// True when `path` names an existing file that `mask` finds (folders never).
// Under Windows rules this is the file-name search, so a name with wildcards
// is found when some file matches it. Under POSIX rules a name may hold '*'
// and '?' and stands for itself alone: "Track?.mp3" is not found because
// "Track1.mp3" exists. A path ending in a separator, under both rules, is
// found when its folder holds such a file. Any error means false.
bool fileExists(FileSystem& fs, const QString& path, SearchMask mask);

// True exactly when the path names an existing ordinary file, as a normal
// search finds it: hidden and system files and folders are not found.
inline bool isOrdinaryFile(FileSystem& fs, const QString& path) {
    return fileExists(fs, path, SearchMask::Normal);
}

// A name on a POSIX disk is a string of bytes; one that is not UTF-8 cannot
// be held in a QString without loss. It arrives with U+FFFD in place of the
// bytes that are not, and that text names another file or none, so it can
// never be a playlist entry. True when `path` holds such a name (never under
// Windows rules, where every name is Unicode). A name that really holds
// U+FFFD counts too: it cannot be told apart.
bool holdsUndecodableName(QStringView path, const PathRules& rules);
