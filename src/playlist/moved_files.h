#pragma once

#include "platform/path_rules.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The full path a playlist entry names, as a lookup on the disk tries it:
// the root joined to a path entry (its '\' made '/' under POSIX rules when it
// was written on Windows), the local path of a file: URL. Nothing for a
// stream or a file: URL that names no local file.
std::optional<QString> entryFilePath(const PathRules& rules, const QString& root,
                                     const QString& entry);

// Every file found below the folder that Find Moved Files searches, indexed
// by its name and, once asked to, by its name with letter case folded, so finding
// the files of one name costs a hash lookup whatever the size of the tree.
// The files of one folder share its path.
class FileNameIndex {
public:
    explicit FileNameIndex(PathRules rules)
        : m_rules(rules) {}

    void add(const QString& folder, const QString& name);
    void reserve(qsizetype count);
    qsizetype size() const { return static_cast<qsizetype>(m_files.size()); }
    const PathRules& rules() const { return m_rules; }

    // Indexes the names with their letter case folded too. Until then,
    // named() finds exact names only: most moved files keep theirs.
    void foldNames();
    // The files named exactly `name`; when there are none, those whose name
    // differs from it only in letter case.
    std::vector<int> named(const QString& name) const;
    const QString& folder(int file) const { return m_files[file].folder; }
    QString path(int file) const;

private:
    struct File {
        QString folder;
        QString name;
        int nextSameName = -1;
        int nextSameFolded = -1;
    };
    PathRules m_rules;
    std::vector<File> m_files;
    // The last file of that name, and of that folded name.
    QHash<QString, int> m_byName;
    QHash<QString, int> m_byFolded;
};

// Where a missing entry's file went.
struct MovedFile {
    enum class Kind { Found, Ambiguous, NotFound };
    Kind kind = Kind::NotFound;
    // Found: the file. Ambiguous: every file that shares the longest run of
    // trailing folder names with the old path.
    QStringList paths;
    // Found: the file's number in the index.
    int file = -1;
};

// Finds the file that `oldPath` named among the indexed files: those of the
// same name (ignoring letter case only when no name is equal), and of several
// the one whose folder ends in the longest run of the old path's folder
// names. A tie is ambiguous. The old path may be written with '\' or '/'.
MovedFile findMovedFile(const FileNameIndex& index, const QString& oldPath);
