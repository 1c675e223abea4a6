#pragma once

#include "playlist/playlist_edit.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QString>

#include <optional>

class PlaylistDocument;
class QItemSelectionModel;
class QUndoStack;

// Edit > Undo and Redo: every user command that changes the playlist is one
// step of a QUndoStack, whatever its size, also a folder walk that adds
// across many turns of the event loop. A step takes the entries, their
// directive lines, the root path and the playlist selection back to what
// they were. The stack's clean state is the saved state: the document hears
// from each step whether it reached it.
class PlaylistHistory final : public QObject {
    Q_OBJECT

public:
    // What a step is called in the Edit menu.
    enum class Kind { Add, Remove, MakeRoot, ClearRoot };

    // `document` and `selection` (the playlist view's) must outlive it.
    PlaylistHistory(PlaylistDocument& document, QItemSelectionModel& selection,
                    QObject* parent = nullptr);
    ~PlaylistHistory() override;

    QUndoStack& stack() { return *m_stack; }

    // A command begins: what changes until the matching end() is one step.
    // A command begun while another is open (a walk under way) joins it.
    int begin(Kind kind);
    void end(int handle);
    template <typename Command> void run(Kind kind, Command command) {
        const int handle = begin(kind);
        command();
        end(handle);
    }
    // A step is open: a walk is adding.
    bool isRecording() const { return m_depth > 0; }
    // The step `handle` came from is still open: no New or Open has started
    // the history afresh since.
    bool isOpen(int handle) const { return handle == m_generation && m_depth > 0; }

    // How many steps it keeps at least.
    static constexpr int kLimit = 100;

private:
    class Step;
    using Rows = QList<QPair<int, int>>;

    Rows selectedRanges() const;
    void select(const Rows& ranges);
    void restart();
    void onSaved();
    static QString text(Kind kind, const PlaylistEdit& edit);

    PlaylistDocument& m_document;
    QItemSelectionModel& m_selection;
    QUndoStack* m_stack;

    // The step being recorded.
    int m_depth = 0;
    int m_generation = 0;
    int m_documentToken = 0;
    Kind m_kind = Kind::Add;
    Rows m_selectionBefore;
    // The playlist was saved while the step was open: no state of the
    // history is the saved one.
    bool m_savedWhileOpen = false;
};
