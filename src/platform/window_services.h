#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What a command needs of the main window besides the shared state: the
// browser position, the selections, the hidden scratch text box and a few
// window services. Form1 implements it; tests use a recording fake.
class WindowServices {
public:
    virtual ~WindowServices() = default;

    // Re-derives title, labels and enabled states from the shared state.
    virtual void RefreshWindowState() = 0;
    // Lets the window process pending events (repaint, other commands).
    virtual void processPendingEvents() = 0;
    // The hourglass pointer over the main window.
    virtual void setBusy(bool busy) = 0;

    // Dir1: its open folder, and the full path of the highlighted entry (the
    // open folder itself when nothing else is highlighted).
    virtual QString dirPath() const = 0;
    virtual QString highlightedFolder() const = 0;

    // File1: its folder, its item names in display order, and which are selected.
    virtual QString fileListFolder() const = 0;
    virtual QStringList fileListItems() const = 0;
    virtual QList<bool> fileListSelection() const = 0;

    // List1: the selected rows, ascending.
    virtual QList<int> selectedPlaylistRows() const = 0;

    // Text1, the hidden scratch text box. Like a text box, it ends its text
    // at the first NUL character.
    virtual QString hiddenText() const = 0;
    virtual void setHiddenText(const QString& text) = 0;
};
