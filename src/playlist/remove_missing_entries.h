#pragma once

#include "playlist/missing_entries_work.h"

// "Remove Missing Entries": looks at every entry again and, asked "Remove N
// entries whose files are missing?", removes those missing now, with their
// directive lines, as one step.
class RemoveMissingEntries final : public MissingEntriesWork {
    Q_OBJECT

public:
    RemoveMissingEntries(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs,
                         AsOneStep asOneStep = {}, QObject* parent = nullptr)
        : MissingEntriesWork(document, fs, dialogs, std::move(asOneStep), parent) {}
    ~RemoveMissingEntries() override { stopWorker(); }

private:
    void work() override { lookAgain(); }
    void conclude() override;
};
