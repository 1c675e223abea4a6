#include "main_window/playlist_history.h"

#include "playlist/playlist_document.h"

#include <QItemSelectionModel>
#include <QUndoCommand>
#include <QUndoStack>

class PlaylistHistory::Step final : public QUndoCommand {
public:
    Step(PlaylistHistory& history, PlaylistEdit edit, const QString& text, Rows before, Rows after)
        : QUndoCommand(text)
        , m_history(history)
        , m_edit(std::move(edit))
        , m_before(std::move(before))
        , m_after(std::move(after)) {}

    void undo() override {
        // The stack moves to the step below once this returns.
        QUndoStack& stack = m_history.stack();
        m_history.m_document.undo(m_edit, stack.index() - 1 == stack.cleanIndex());
        m_history.select(m_before);
    }
    void redo() override {
        // Pushed: the command has done it already.
        if (std::exchange(m_pushing, false))
            return;
        QUndoStack& stack = m_history.stack();
        m_history.m_document.redo(m_edit, stack.index() + 1 == stack.cleanIndex());
        m_history.select(m_after);
    }

private:
    PlaylistHistory& m_history;
    PlaylistEdit m_edit;
    Rows m_before;
    Rows m_after;
    bool m_pushing = true;
};

PlaylistHistory::PlaylistHistory(PlaylistDocument& document, QItemSelectionModel& selection,
                                 QObject* parent)
    : QObject(parent)
    , m_document(document)
    , m_selection(selection)
    , m_stack(new QUndoStack(this)) {
    m_stack->setObjectName(QStringLiteral("undoStack"));
    m_stack->setUndoLimit(kLimit);
    connect(&document, &PlaylistDocument::historyReset, this, &PlaylistHistory::restart);
    connect(&document, &PlaylistDocument::saved, this, &PlaylistHistory::onSaved);
}

PlaylistHistory::~PlaylistHistory() = default;

int PlaylistHistory::begin(Kind kind) {
    if (m_depth++ == 0) {
        m_kind = kind;
        m_selectionBefore = selectedRanges();
        m_savedWhileOpen = false;
        m_documentToken = m_document.beginEdit();
    }
    return m_generation;
}

void PlaylistHistory::end(int handle) {
    // The history started afresh since: nothing of it can be undone.
    if (handle != m_generation || m_depth == 0 || --m_depth > 0)
        return;
    PlaylistEdit edit = m_document.endEdit(m_documentToken);
    if (edit.isEmpty())
        return;
    const QString name = text(m_kind, edit);
    m_stack->push(new Step(*this, std::move(edit), name, m_selectionBefore, selectedRanges()));
    if (m_savedWhileOpen)
        m_stack->resetClean();
}

QString PlaylistHistory::text(Kind kind, const PlaylistEdit& edit) {
    switch (kind) {
    case Kind::Add:
        return tr("Add %Ln Files", nullptr, edit.insertedCount());
    case Kind::Remove:
        return tr("Remove %Ln Entries", nullptr, edit.removedCount());
    case Kind::MakeRoot:
        return tr("Make Root");
    case Kind::ClearRoot:
        return tr("Clear Root");
    case Kind::FindMovedFiles:
        return tr("Find Moved Files");
    }
    return {};
}

void PlaylistHistory::restart() {
    ++m_generation;
    m_depth = 0;
    m_stack->clear();
}

void PlaylistHistory::onSaved() {
    if (m_depth > 0) {
        m_savedWhileOpen = true;
        m_stack->resetClean();
    } else {
        m_stack->setClean();
    }
}

PlaylistHistory::Rows PlaylistHistory::selectedRanges() const {
    Rows ranges;
    for (const QItemSelectionRange& range : m_selection.selection())
        ranges.append({range.top(), range.bottom()});
    return ranges;
}

void PlaylistHistory::select(const Rows& ranges) {
    const QAbstractItemModel* model = m_selection.model();
    QItemSelection selection;
    for (const auto& [top, bottom] : ranges) {
        if (bottom < model->rowCount())
            selection.append(QItemSelectionRange(model->index(top, 0), model->index(bottom, 0)));
    }
    m_selection.select(selection, QItemSelectionModel::ClearAndSelect);
}
