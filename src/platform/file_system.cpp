#include "platform/file_system.h"

#include <algorithm>

QString FileSystem::parentFolder(const QString& path) const {
    const QChar sep = rules().separator();
    const qsizetype cut = path.lastIndexOf(sep);
    if (cut < 0)
        return {};
    QString parent = path.left(cut);
    // A file directly in a drive's top folder: keep the separator ("D:\", "/").
    if (rules().isWindows() ? (parent.size() == 2 && parent.at(1) == QLatin1Char(':'))
                            : parent.isEmpty())
        parent += sep;
    return parent;
}

QString FileSystem::buildPath(const QString& folder, const QString& name) const {
    const QChar sep = rules().separator();
    if (folder.isEmpty())
        return name;
    if (folder.endsWith(sep))
        return name.startsWith(sep) ? folder + name.mid(1) : folder + name;
    return name.startsWith(sep) ? folder + name : folder + sep + name;
}

bool FileSystem::readFilePieces(const QString& path, qsizetype pieceSize,
                                const std::function<bool(QByteArrayView)>& take, QString* error) {
    const std::optional<QByteArray> bytes = readFile(path, error);
    if (!bytes)
        return false;
    const QByteArrayView all(*bytes);
    for (qsizetype at = 0; at < all.size(); at += pieceSize) {
        if (!take(all.sliced(at, std::min(pieceSize, all.size() - at))))
            break;
    }
    return true;
}

namespace {

bool searchFinds(FileSystem& fs, const QString& pattern, SearchMask mask) {
    const auto search = fs.search(pattern, mask);
    if (!search)
        return false;
    const std::optional<QString> first = search->next();
    return first.has_value() && !first->isEmpty();
}

bool hasWildcard(QStringView name) {
    return name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'));
}

} // namespace

bool FileSystem::hasFileNamed(const QString& path, SearchMask mask) {
    const qsizetype cut = path.lastIndexOf(rules().separator());
    const QStringView name = QStringView(path).sliced(cut + 1);
    if (name.isEmpty())
        return false;
    if (!hasWildcard(name))
        return searchFinds(*this, path, mask);
    // The search would take the name as a pattern: list the folder and
    // compare every name with this one.
    const auto search = this->search(buildPath(path.left(cut + 1), QStringLiteral("*")), mask);
    if (!search)
        return false;
    while (const std::optional<QString> found = search->next()) {
        if (rules().samePath(*found, name.toString()))
            return true;
    }
    return false;
}

bool fileExists(FileSystem& fs, const QString& path, SearchMask mask) {
    const PathRules& rules = fs.rules();
    // A folder path ending in a separator asks for any file in the folder.
    if (rules.isWindows() || path.endsWith(rules.separator()))
        return searchFinds(fs, path, mask);
    return fs.hasFileNamed(path, mask);
}

bool holdsUndecodableName(QStringView path, const PathRules& rules) {
    return !rules.isWindows() && path.contains(QChar(QChar::ReplacementCharacter));
}
