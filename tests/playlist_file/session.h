#pragma once

#include "fake_window_services.h"
#include "playlist/form_state.h"
#include "scripted_dialogs.h"

#include <QMetaType>

#include <utility>

// One main window's state and services, for running commands in a test.
template <class Fs, class Answers = ScriptedDialogs> struct Session {
    template <class... Args>
    explicit Session(Args&&... args)
        : fs(std::forward<Args>(args)...) {}

    Fs fs;
    FormState state{fs.rules()};
    Answers dialogs;
    FakeWindowServices window;
    CommandContext ctx{state, fs, dialogs, window};

    void setEntries(const QStringList& entries) {
        state.playlist.clear();
        for (const QString& entry : entries)
            state.playlist.insertSorted(entry);
    }
};

// A message box a test expects, with the user's answer.
struct Asked {
    QString text;
    MessageAnswer answer = MessageAnswer::Ok;
};
using Script = QList<Asked>;
Q_DECLARE_METATYPE(Script)

inline void expect(ScriptedDialogs& dialogs, const Script& script) {
    for (const Asked& asked : script)
        dialogs.expectMessage(asked.text, asked.answer);
}

inline Asked rootMessage(const QString& root) {
    return {QStringLiteral("The first item in this list does not contain a full path. Assuming "
                           "Root Path is \"") +
                root + QLatin1Char('"'),
            MessageAnswer::Ok};
}

inline Asked removeMissing(MessageAnswer answer) {
    return {QStringLiteral("Remove Files That No Longer Exist?"), answer};
}
