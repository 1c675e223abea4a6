#pragma once

#include "main_window/playlist_history.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>

class Dialogs;
class FileSystem;
class LongWork;
class MissingEntriesWork;
class PlaylistDocument;
class QAction;

// Edit > Find Moved Files... and Edit > Remove Missing Entries: their menu
// items, enabled while some entry is missing and neither runs, the count of
// missing entries for the playlist's label, and the long work each starts.
class MissingEntriesCommands final : public QObject {
    Q_OBJECT

public:
    // The folder the folder dialog starts in: the browser's.
    using StartFolder = std::function<QString()>;

    // Everything given must outlive it.
    MissingEntriesCommands(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs,
                           PlaylistHistory& history, StartFolder startFolder, QObject* parent);
    ~MissingEntriesCommands() override;

    QAction* findMovedFilesAction() const { return m_findMovedFiles; }
    QAction* removeMissingAction() const { return m_removeMissing; }
    int missingCount() const { return m_missingCount; }
    // The work under way, if any.
    LongWork* running() const;
    // Stops the work under way: nothing it found is applied.
    void cancel();
    // While paused (a playlist loading over this one), neither may start.
    void setPaused(bool paused);

Q_SIGNALS:
    void missingCountChanged(int count);
    // For the status bar, which shows it until it ends.
    void workStarted(LongWork* work);

private:
    void findMovedFiles();
    void removeMissingEntries();
    void run(MissingEntriesWork* work);
    void recount();
    void refreshActions();

    PlaylistDocument& m_document;
    FileSystem& m_fs;
    Dialogs& m_dialogs;
    PlaylistHistory& m_history;
    StartFolder m_startFolder;
    QAction* m_findMovedFiles;
    QAction* m_removeMissing;
    QPointer<MissingEntriesWork> m_work;
    // Many changes of the list in one turn of the event loop make one count.
    QTimer m_recount;
    int m_missingCount = 0;
    bool m_paused = false;
};
