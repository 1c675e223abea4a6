#include "tags/tag_message.h"
#include "tags/genres.h"

#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "tags/id3_tag.h"

#include <algorithm>

namespace {

// File1's folder and one of its names, joined by one separator.
QString fileItemPath(const QString& folder, const QString& name, const PathRules& rules) {
    QString path = folder;
    if (!path.endsWith(rules.separator()))
        path += rules.separator();
    path += name;
    return rules.withoutPadding(path);
}

} // namespace

void showFileTag(FileSystem& fs, Dialogs& dialogs, const QString& folder,
                 const QStringList& selectedNames) {
    if (selectedNames.isEmpty())
        return;
    static const GenreTable genres = [] {
        GenreTable table;
        table.fill();
        return table;
    }();
    const QString path = fileItemPath(folder, selectedNames.first(), fs.rules());
    ID3Tag tag;
    const QString text = bReadID3Tag(fs, path, tag) ? tagMessageText(tag, genres)
                                                    : QStringLiteral("No ID3 Tag Found");
    dialogs.message({text, MessageIcon::None, MessageButtons::Ok, MessageAnswer::Ok});
}
