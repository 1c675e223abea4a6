// Wiring of the buttons, menus and drops to the commands.
#include "main_window/main_window.h"

#include "main_window/file_list_box.h"
#include "main_window/playlist_view.h"
#include "playlist_file/closing.h"
#include "playlist_file/file_commands.h"
#include "tags/tag_message.h"

#include <QAction>
#include <QCloseEvent>
#include <QPushButton>

void Form1::wireCommands() {
    auto run = [this](auto* sender, auto signal, void (*command)(CommandContext&)) {
        connect(sender, signal, this, [this, command] { command(m_context); });
    };
    run(mnuFileNew, &QAction::triggered, &mnuFileNew_Click);
    run(mnuFileOpen, &QAction::triggered, &mnuFileOpen_Click);
    run(mnuFileSave, &QAction::triggered, &mnuFileSave_Click);
    run(mnuFileSaveAs, &QAction::triggered, &mnuFileSaveAs_Click);

    connect(File1, &QListWidget::itemDoubleClicked, this,
            [this] { File1_DblClick(m_context, sGenres); });
}

void Form1::closeEvent(QCloseEvent* event) {
    // The close box, Exit and the window manager's close all arrive here.
    bool cancel = false;
    Form_Unload(m_context, cancel);
    if (cancel)
        event->ignore();
    else
        event->accept();
}
