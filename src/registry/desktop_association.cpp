#include "registry/desktop_association.h"

#include "platform/file_system.h"
#include "registry/association.h"

namespace {

const QString kAddedGroup = QStringLiteral("[Added Associations]");
const QString kRemovedGroup = QStringLiteral("[Removed Associations]");

// A group of mimeapps.list: its header line and the line after its last.
struct Group {
    qsizetype header = -1;
    qsizetype end = -1;
};

Group findGroup(const QStringList& lines, const QString& header) {
    Group group;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (group.header < 0) {
            if (line == header)
                group.header = i;
        } else if (line.startsWith(QLatin1Char('['))) {
            group.end = i;
            return group;
        }
    }
    group.end = lines.size();
    return group;
}

// The line of `key` within the group, or -1.
qsizetype findKey(const QStringList& lines, const Group& group, const QString& key) {
    for (qsizetype i = group.header + 1; i < group.end; ++i) {
        const QString& line = lines[i];
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals > 0 && !line.trimmed().startsWith(QLatin1Char('#')) &&
            line.left(equals).trimmed() == key)
            return i;
    }
    return -1;
}

QStringList listOf(const QString& line) {
    QStringList items =
        line.mid(line.indexOf(QLatin1Char('=')) + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& item : items)
        item = item.trimmed();
    return items;
}

void addToGroup(QStringList& lines, const QString& desktopId, const QString& type) {
    Group group = findGroup(lines, kAddedGroup);
    if (group.header < 0) {
        // A new group at the end, after a blank line.
        while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
            lines.removeLast();
        if (!lines.isEmpty())
            lines.append(QString());
        lines.append(kAddedGroup);
        lines.append(QString());
        group = findGroup(lines, kAddedGroup);
    }
    const qsizetype at = findKey(lines, group, type);
    if (at >= 0) {
        if (listOf(lines[at]).contains(desktopId))
            return;
        // After the programs already listed, which stay preferred.
        QString line = lines[at];
        while (line.endsWith(QLatin1Char(' ')) || line.endsWith(QLatin1Char('\t')) ||
               line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (!line.endsWith(QLatin1Char(';')) && !line.endsWith(QLatin1Char('=')))
            line += QLatin1Char(';');
        lines[at] = line + desktopId + QLatin1Char(';');
        return;
    }
    qsizetype last = group.end;
    while (last > group.header + 1 && lines[last - 1].trimmed().isEmpty())
        --last;
    lines.insert(last, type + QLatin1Char('=') + desktopId + QLatin1Char(';'));
}

// Asked for again, the program no longer counts as removed for the type.
void takeOffRemoved(QStringList& lines, const QString& desktopId, const QString& type) {
    const Group group = findGroup(lines, kRemovedGroup);
    if (group.header < 0)
        return;
    const qsizetype at = findKey(lines, group, type);
    if (at < 0)
        return;
    QStringList items = listOf(lines[at]);
    if (items.removeAll(desktopId) == 0)
        return;
    if (items.isEmpty())
        lines.removeAt(at);
    else
        lines[at] = type + QLatin1Char('=') + items.join(QLatin1Char(';')) + QLatin1Char(';');
}

// A regular file, hidden or not, links followed.
bool isFile(FileSystem& fs, const QString& path) {
    const std::unique_ptr<FileNameSearch> search = fs.search(path, SearchMask::AllFiles);
    return search && search->next().has_value();
}

// False only when the file system is sure that nothing by that name is there.
bool mayExist(FileSystem& fs, const QString& path) {
    if (fs.isFolder(path))
        return true;
    const std::unique_ptr<FileNameSearch> search = fs.search(path, SearchMask::AllFiles);
    return !search || search->next().has_value();
}

std::optional<AssociationFailure> writeFile(FileSystem& fs, const QString& path,
                                            const QByteArray& bytes) {
    QString reason;
    // The file system writes through a symbolic link to its target, so a
    // mimeapps.list kept elsewhere and linked in stays where it is, and
    // leaves the file whole when it cannot write it (a full disk).
    if (!fs.makeFolders(fs.parentFolder(path), &reason) ||
        !fs.writeFileAtomic(path, bytes, &reason))
        return AssociationFailure{path, reason};
    return std::nullopt;
}

bool installedEntryExists(FileSystem& fs, const AssociationEnvironment& env) {
    for (const QString& folder : env.dataDirs)
        if (isFile(fs, folder + QStringLiteral("/applications/") + kDesktopEntryId))
            return true;
    return false;
}

} // namespace

QString desktopExecArgument(const QString& argument) {
    QString quoted = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c == QLatin1Char('%')) {
            quoted += QStringLiteral("%%");
            continue;
        }
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted += QLatin1Char('"');

    // The Exec value is also a string of the desktop entry, whose own
    // escapes apply on top of the quoting.
    QString value;
    for (const QChar c : quoted) {
        switch (c.unicode()) {
        case u'\\':
            value += QStringLiteral("\\\\");
            break;
        case u'\n':
            value += QStringLiteral("\\n");
            break;
        case u'\t':
            value += QStringLiteral("\\t");
            break;
        case u'\r':
            value += QStringLiteral("\\r");
            break;
        default:
            value += c;
        }
    }
    return value;
}

QString desktopEntryText(const QString& executablePath) {
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Songbinder\n"
                          "Name[de]=Songbinder\n"
                          "Name[fr]=Songbinder\n"
                          "GenericName=Playlist Editor\n"
                          "GenericName[de]=Wiedergabelisten-Editor\n"
                          "GenericName[fr]=Éditeur de listes de lecture\n"
                          "Comment=Build and edit .m3u playlists\n"
                          "Comment[de]=.m3u-Wiedergabelisten erstellen und bearbeiten\n"
                          "Comment[fr]=Créer et modifier des listes de lecture .m3u\n"
                          "Icon=org.songbinder.Songbinder\n"
                          "Exec=%1 %f\n"
                          "Terminal=false\n"
                          "Categories=AudioVideo;Audio;Qt;\n"
                          "Keywords=playlist;m3u;\n"
                          "MimeType=%2;\n")
        .arg(desktopExecArgument(executablePath), kPlaylistMimeTypes.join(QLatin1Char(';')));
}

QString withAddedAssociation(const QString& mimeappsText, const QString& desktopId,
                             const QStringList& mimeTypes) {
    QStringList lines = mimeappsText.split(QLatin1Char('\n'));
    for (const QString& type : mimeTypes) {
        addToGroup(lines, desktopId, type);
        takeOffRemoved(lines, desktopId, type);
    }
    QString text = lines.join(QLatin1Char('\n'));
    if (!text.endsWith(QLatin1Char('\n')))
        text += QLatin1Char('\n');
    return text;
}

QList<AssociationFailure> registerDesktopEditor(FileSystem& fs, const AssociationEnvironment& env) {
    QList<AssociationFailure> failures;
    if (!installedEntryExists(fs, env)) {
        if (auto failure =
                writeFile(fs, env.dataHome + QStringLiteral("/applications/") + kDesktopEntryId,
                          desktopEntryText(env.executablePath).toUtf8()))
            failures.append(*failure);
    }

    const QString mimeappsPath = env.configHome + QStringLiteral("/mimeapps.list");
    QString reason;
    std::optional<QByteArray> before = fs.readFile(mimeappsPath, &reason);
    // None yet: the list starts empty. One that is there but cannot be read
    // is left alone rather than replaced by the program's lines alone.
    if (!before && !mayExist(fs, mimeappsPath))
        before = QByteArray();
    if (!before) {
        failures.append({mimeappsPath, reason});
        return failures;
    }

    // Read and written byte for byte (Latin-1), so lines in any encoding
    // come back exactly as they were; the lines added are plain ASCII.
    const QByteArray after =
        withAddedAssociation(QString::fromLatin1(*before), kDesktopEntryId, kPlaylistMimeTypes)
            .toLatin1();
    if (after != *before) {
        if (auto failure = writeFile(fs, mimeappsPath, after))
            failures.append(*failure);
    }
    return failures;
}
