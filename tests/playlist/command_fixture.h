#pragma once

#include "fake_file_system.h"
#include "fake_window_services.h"
#include "playlist/form_state.h"
#include "scripted_dialogs.h"

#include <QStringList>

#include <initializer_list>

// The state and the three doubles a command runs against, Windows rules
// unless asked otherwise.
struct CommandFixture {
    explicit CommandFixture(PathRules rules = PathRules::windows())
        : state(rules)
        , fs(rules) {}

    void addFiles(std::initializer_list<const char*> paths) {
        for (const char* path : paths)
            fs.addFile(QString::fromUtf8(path));
    }

    // Puts entries in the playlist as a loaded playlist would, without the
    // tests of an add.
    void setPlaylist(const QString& root, const QStringList& entries) {
        state.playlist.setRootPath(root);
        for (const QString& entry : entries)
            state.playlist.insertSorted(entry);
    }

    FormState state;
    FakeFileSystem fs;
    ScriptedDialogs dialogs;
    FakeWindowServices window;
    CommandContext ctx{state, fs, dialogs, window};
};
