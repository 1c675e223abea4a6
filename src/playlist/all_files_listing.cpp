#include "playlist/all_files_listing.h"

#include "platform/file_system.h"

#include <QStringList>

bool AllFilesListing::run(const QString& top, const Found& found, const GoOn& goOn) {
    const PathRules& rules = m_fs.rules();
    // Folders still to read; a deep tree costs no stack.
    QStringList pending{top};
    while (!pending.isEmpty()) {
        const QString folderPath = pending.takeLast();
        if (goOn && !goOn())
            return false;
        QString error;
        const std::optional<FolderInfo> folder = m_fs.folder(folderPath, &error);
        if (!folder) {
            m_skipped.add(folderPath, error);
            continue;
        }
        if (m_visited.contains(folder->identity))
            continue;
        m_visited.insert(folder->identity);
        const QString& path = folder->path;
        const auto names =
            m_fs.search(m_fs.buildPath(path, QStringLiteral("*")), SearchMask::AllFiles, &error);
        if (!names)
            m_skipped.add(path, error);
        while (names) {
            const std::optional<QString> name = names->next();
            if (!name)
                break;
            // Only a suspicious name pays for its full path.
            if ((holdsUndecodableName(*name, rules) || name->contains(QLatin1Char('\n')) ||
                 name->contains(QLatin1Char('\r'))) &&
                m_unstorable.skip(m_fs.buildPath(path, *name), rules))
                continue;
            if (!found(path, *name))
                return false;
        }
        // Taken from the end: the first sub-folder is read next.
        for (auto sub = folder->subFolders.crbegin(); sub != folder->subFolders.crend(); ++sub) {
            if (!m_unstorable.skip(*sub, rules))
                pending.append(*sub);
        }
    }
    return true;
}
