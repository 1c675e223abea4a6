// Wiring of the buttons, menus and drops to the commands.
#include "main_window/main_window.h"

#include "about/about.h"
#include "main_window/file_list_box.h"
#include "main_window/playlist_view.h"
#include "playlist/dropped_files.h"
#include "playlist/editing_commands.h"
#include "playlist/root_commands.h"
#include "playlist_file/closing.h"
#include "playlist_file/file_commands.h"
#include "registry/association.h"
#include "tags/tag_message.h"

#include <QAction>
#include <QCloseEvent>
#include <QMimeData>
#include <QPushButton>

void Form1::wireCommands() {
    auto run = [this](auto* sender, auto signal, void (*command)(CommandContext&)) {
        connect(sender, signal, this, [this, command] { command(m_context); });
    };
    run(mnuFileNew, &QAction::triggered, &mnuFileNew_Click);
    run(mnuFileOpen, &QAction::triggered, &mnuFileOpen_Click);
    run(mnuFileSave, &QAction::triggered, &mnuFileSave_Click);
    run(mnuFileSaveAs, &QAction::triggered, &mnuFileSaveAs_Click);
    run(cmdAddFiles, &QPushButton::clicked, &cmdAddFiles_Click);
    connect(cmdAddDir, &QPushButton::clicked, this, [this] {
        cmdAddDir_Click(m_context);
        // A close asked for while the walk ran is carried out now that the
        // window is no longer inside it.
        if (m_closeAfterWalk && m_state.nFolderWalks == 0) {
            m_closeAfterWalk = false;
            close();
        }
    });
    run(cmdRemove, &QPushButton::clicked, &cmdRemove_Click);
    run(cmdMakeRoot, &QPushButton::clicked, &cmdMakeRoot_Click);
    run(cmdNoRoot, &QPushButton::clicked, &cmdNoRoot_Click);

    connect(List1, &PlaylistView::dropped, this, [this](const QMimeData* data) {
        List1_OLEDragDrop(m_context, data ? droppedFilePaths(*data) : std::nullopt);
    });

    connect(mnuHelpAss, &QAction::triggered, this, [this] { mnuHelpAss_Click(m_context); });
    connect(mnuHelpAbout, &QAction::triggered, this, [this] { showAboutWindow(this); });

    connect(File1, &QListWidget::itemDoubleClicked, this,
            [this] { File1_DblClick(m_context, sGenres); });
}

void Form1::closeEvent(QCloseEvent* event) {
    // The close box, Exit and the window manager's close all arrive here.
    if (m_state.nFolderWalks > 0) {
        // Adding a folder tree lets events run; the window closes when it ends.
        m_closeAfterWalk = true;
        event->ignore();
        return;
    }
    bool cancel = false;
    Form_Unload(m_context, cancel);
    if (cancel)
        event->ignore();
    else
        event->accept();
}
