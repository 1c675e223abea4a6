#include "playlist/remove_missing_entries.h"

#include "platform/dialogs.h"
#include "playlist/playlist_document.h"

#include <QCoreApplication>

namespace {

class Texts {
    Q_DECLARE_TR_FUNCTIONS(RemoveMissingEntries)

public:
    static QString remove(int count) {
        return tr("Remove %n entries whose files are missing?", nullptr, count);
    }
    static QString noneMissing() {
        return QCoreApplication::translate("FindMovedFiles",
                                           "No entry of the playlist is missing.");
    }
};

} // namespace

void RemoveMissingEntries::conclude() {
    const int missing = markMissing();
    if (missing == 0) {
        m_dialogs.inform(Texts::noneMissing());
        return;
    }
    if (m_dialogs.ask(Texts::remove(missing), MessageButtons::YesNo, MessageAnswer::Yes) !=
        MessageAnswer::Yes)
        return;
    runAsOneStep([this] { m_document.removeRows(m_document.missingRows()); });
}
