#include "platform/file_system.h"

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

bool isOrdinaryFile(FileSystem& fs, const QString& path) {
    const auto search = fs.search(path, SearchMask::Normal);
    if (!search)
        return false;
    const std::optional<QString> first = search->next();
    return first.has_value() && !first->isEmpty();
}
