#include "playlist/root_commands.h"

#include "platform/dialogs.h"
#include "playlist/playlist_document.h"

#include <QCoreApplication>

namespace {

class Texts {
    Q_DECLARE_TR_FUNCTIONS(RootCommands)

public:
    static QString notAllInPath() { return tr("Not all files are in that path"); }
};

} // namespace

void makeRoot(PlaylistDocument& document, Dialogs& dialogs, const QString& folder) {
    changeRoot(document, dialogs, document.rules().withTrailingSeparator(folder));
}

void clearRoot(PlaylistDocument& document, Dialogs& dialogs) {
    changeRoot(document, dialogs, QString());
}

void changeRoot(PlaylistDocument& document, Dialogs& dialogs, const QString& newRoot) {
    if (!document.changeRoot(newRoot))
        dialogs.warn(Texts::notAllInPath());
}
