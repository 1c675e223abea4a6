#include "tags/tag_message.h"

#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/window_services.h"
#include "playlist/form_state.h"
#include "tags/id3_tag.h"

namespace {

// Without the spaces at either end, and only those.
QString withoutOuterSpaces(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.sliced(begin, end - begin);
}

// File1's folder and one of its names, joined by one separator. Under Windows
// rules spaces around the path go, as the system ignores them there; under
// POSIX rules a name may really end in a space, so it stays as listed.
QString fileItemPath(const QString& folder, const QString& name, const PathRules& rules) {
    QString path = folder;
    if (!path.endsWith(rules.separator()))
        path += rules.separator();
    path += name;
    return rules.isWindows() ? withoutOuterSpaces(path) : path;
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
