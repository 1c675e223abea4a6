#include "tags/file_tag_command.h"

#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "tags/id3_tag.h"
#include "tags/tag_message.h"

void showFileTag(FileSystem& fs, Dialogs& dialogs, const QString& folder,
                 const QStringList& selectedNames) {
    if (selectedNames.isEmpty())
        return;
    const PathRules& rules = fs.rules();
    // One separator between folder and name, whether or not the folder is a
    // drive's top ("C:\"); spaces around the whole are padding only where
    // names never begin or end with one.
    const QString path =
        rules.withoutPadding(rules.withTrailingSeparator(folder) + selectedNames.first());
    const std::optional<Id3Tag> tag = readId3Tag(fs, path);
    const QString text = tag ? tagMessageText(*tag) : TagMessage::tr("No ID3 Tag Found");
    dialogs.message({text, MessageIcon::None, MessageButtons::Ok, MessageAnswer::Ok, {}});
}
