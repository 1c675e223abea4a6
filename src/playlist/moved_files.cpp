#include "playlist/moved_files.h"

#include "platform/entry_lookup.h"
#include "platform/escaped_bytes.h"

#include <QList>
#include <QStringView>

namespace {

bool isSeparator(QChar c) {
    return c == QLatin1Char('/') || c == QLatin1Char('\\');
}

// The names of a path from its end: its last name first. Empty names (a
// doubled or leading separator) are left out.
QList<QStringView> namesFromEnd(QStringView path, bool anySeparator, QChar separator) {
    QList<QStringView> names;
    qsizetype end = path.size();
    for (qsizetype at = path.size() - 1; at >= -1; --at) {
        if (at >= 0 && !(anySeparator ? isSeparator(path[at]) : path[at] == separator))
            continue;
        if (end - at > 1)
            names.append(path.sliced(at + 1, end - at - 1));
        end = at;
    }
    return names;
}

} // namespace

std::optional<QString> entryFilePath(const PathRules& rules, const QString& root,
                                     const QString& entry) {
    switch (entryForm(entry)) {
    case EntryForm::Stream:
        return std::nullopt;
    case EntryForm::FileUrl:
        return fileUrlPath(entry, rules);
    case EntryForm::Path:
        break;
    }
    QString path = root.isEmpty() ? entry : root + entry;
    if (!rules.isWindows() && entry.contains(QLatin1Char('\\')))
        path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path;
}

void FileNameIndex::reserve(qsizetype count) {
    m_files.reserve(static_cast<size_t>(count));
    m_byName.reserve(count);
}

void FileNameIndex::add(const QString& folder, const QString& name) {
    const int file = static_cast<int>(m_files.size());
    // Held as the file + 1, so a new key's 0 means none yet.
    int& lastNamed = m_byName[name];
    m_files.push_back({folder, name, lastNamed - 1, -1});
    lastNamed = file + 1;
}

void FileNameIndex::foldNames() {
    if (!m_byFolded.isEmpty() || m_files.empty())
        return;
    m_byFolded.reserve(static_cast<qsizetype>(m_files.size()));
    for (size_t file = 0; file < m_files.size(); ++file) {
        int& lastFolded = m_byFolded[m_files[file].name.toCaseFolded()];
        m_files[file].nextSameFolded = lastFolded - 1;
        lastFolded = static_cast<int>(file) + 1;
    }
}

std::vector<int> FileNameIndex::named(const QString& name) const {
    std::vector<int> files;
    if (const auto exact = m_byName.constFind(name); exact != m_byName.cend()) {
        for (int file = *exact - 1; file >= 0; file = m_files[file].nextSameName)
            files.push_back(file);
        return files;
    }
    if (const auto folded = m_byFolded.constFind(name.toCaseFolded());
        folded != m_byFolded.cend()) {
        for (int file = *folded - 1; file >= 0; file = m_files[file].nextSameFolded)
            files.push_back(file);
    }
    return files;
}

QString FileNameIndex::path(int file) const {
    const File& f = m_files[file];
    return f.folder.endsWith(m_rules.separator()) ? f.folder + f.name
                                                  : f.folder + m_rules.separator() + f.name;
}

MovedFile findMovedFile(const FileNameIndex& index, const QString& oldPath) {
    // An entry that is not UTF-8 names its file by its Windows-1252 text on
    // a disk whose names are Unicode.
    const QString shown = EscapedBytes::forDisplay(oldPath);
    MovedFile moved;
    qsizetype nameAt = shown.size();
    while (nameAt > 0 && !isSeparator(shown[nameAt - 1]))
        --nameAt;
    if (nameAt == shown.size())
        return moved;
    const std::vector<int> files = index.named(shown.sliced(nameAt));
    if (files.size() == 1) {
        moved.kind = MovedFile::Kind::Found;
        moved.paths.append(index.path(files.front()));
        moved.file = files.front();
        return moved;
    }
    if (files.empty())
        return moved;
    const QList<QStringView> oldNames = namesFromEnd(shown, true, QLatin1Char('/'));
    const PathRules& rules = index.rules();
    // How many folder names, from the last, the file's folder shares with the
    // old path's.
    const auto sharedTail = [&](int file) {
        const QList<QStringView> folders =
            namesFromEnd(index.folder(file), false, rules.separator());
        qsizetype shared = 0;
        while (shared < folders.size() && shared + 1 < oldNames.size() &&
               folders[shared].compare(oldNames[shared + 1], rules.identityCase()) == 0)
            ++shared;
        return shared;
    };
    qsizetype best = -1;
    std::vector<int> bestFiles;
    for (int file : files) {
        const qsizetype shared = sharedTail(file);
        if (shared > best) {
            best = shared;
            bestFiles.clear();
        }
        if (shared == best)
            bestFiles.push_back(file);
    }
    moved.kind = bestFiles.size() == 1 ? MovedFile::Kind::Found : MovedFile::Kind::Ambiguous;
    if (bestFiles.size() == 1)
        moved.file = bestFiles.front();
    // The index lists the files of one name last found first: the tree's
    // order reads better.
    for (auto file = bestFiles.crbegin(); file != bestFiles.crend(); ++file)
        moved.paths.append(index.path(*file));
    return moved;
}
