#include "playlist_file/closing.h"

#include "platform/dialogs.h"
#include "playlist/playlist_document.h"
#include "playlist_file/file_commands.h"

#include <QCoreApplication>

namespace {

class Texts {
    Q_DECLARE_TR_FUNCTIONS(Closing)

public:
    static QString saveBeforeExit() { return tr("Save File Before Exiting?"); }
};

} // namespace

bool mayClosePlaylist(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs) {
    if (!document.isModified())
        return true;
    switch (dialogs.ask(Texts::saveBeforeExit(), MessageButtons::YesNoCancel, MessageAnswer::Yes)) {
    case MessageAnswer::Yes:
        savePlaylist(document, fs, dialogs);
        return !document.isModified();
    case MessageAnswer::No:
        return true;
    default:
        return false;
    }
}
