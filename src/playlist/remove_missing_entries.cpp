#include "playlist/remove_missing_entries.h"

#include "platform/dialogs.h"
#include "playlist/playlist_document.h"

#include <QCoreApplication>

#include <utility>

namespace {

class Texts {
    Q_DECLARE_TR_FUNCTIONS(RemoveMissingEntries)

public:
    static QString remove(int count) {
        return tr("Remove %Ln entries whose files are missing?", nullptr, count);
    }
    static QString noneMissing() {
        return QCoreApplication::translate("FindMovedFiles",
                                           "No entry of the playlist is missing.");
    }
};

} // namespace

void RemoveMissingEntries::work() {
    // Taking out and unindexing many entries here leaves the window's thread
    // only the swap.
    if (lookAgain() && m_missingCount > 0)
        m_remaining = RemainingEntries(m_document.rules(), m_looked, m_missing);
}

void RemoveMissingEntries::conclude() {
    const bool unchanged = unchangedSinceLook();
    const int missing = markMissing();
    // The entries as the look marked them, which is what the removal was
    // made from while they are unchanged.
    const QList<PlaylistEntry> marked = m_document.allEntries();
    if (!unchanged)
        m_remaining = RemainingEntries();
    if (missing == 0) {
        m_dialogs.inform(Texts::noneMissing());
        return;
    }
    if (m_dialogs.ask(Texts::remove(missing), MessageButtons::YesNo, MessageAnswer::Yes) !=
        MessageAnswer::Yes)
        return;
    // The question lets the window run: the playlist may change before the
    // answer, and then the entries missing now are removed.
    runAsOneStep([&] { m_document.removeMissingRows(std::exchange(m_remaining, {}), marked); });
}
