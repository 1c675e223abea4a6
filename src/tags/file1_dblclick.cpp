#include "tags/tag_message.h"

#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/window_services.h"
#include "playlist/form_state.h"
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

void File1_DblClick(CommandContext& ctx, const GenreTable& genres) {
    const QStringList items = ctx.window.fileListItems();
    const QList<bool> selected = ctx.window.fileListSelection();
    const qsizetype count = std::min(items.size(), selected.size());
    qsizetype first = 0;
    while (first < count && !selected.at(first))
        ++first;
    if (first == count)
        return;

    const QString path = fileItemPath(ctx.window.fileListFolder(), items.at(first), ctx.fs.rules());
    ID3Tag tag;
    const QString text = bReadID3Tag(ctx.fs, path, tag) ? tagMessageText(tag, genres)
                                                        : QStringLiteral("No ID3 Tag Found");
    ctx.dialogs.message({text, MessageIcon::None, MessageButtons::Ok, MessageAnswer::Ok});
}
