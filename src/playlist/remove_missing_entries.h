#pragma once

#include "playlist/missing_entries_work.h"
#include "playlist/playlist_model.h"

// "Remove Missing Entries": looks at every entry again and, asked "Remove N
// entries whose files are missing?", removes those missing now, with their
// directive lines, as one step.
class RemoveMissingEntries final : public MissingEntriesWork {
    Q_OBJECT

public:
    RemoveMissingEntries(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs,
                         AsOneStep asOneStep = {}, QObject* parent = nullptr)
        : MissingEntriesWork(document, fs, dialogs, std::move(asOneStep), parent) {}
    ~RemoveMissingEntries() override {
        stopWorker();
        freeElsewhere(std::move(m_remaining));
    }

private:
    void work() override;
    void conclude() override;

    // What Yes makes of the entries looked at, made after the look.
    RemainingEntries m_remaining;
};
