#pragma once

#include <QString>

#include <optional>

// What the program asks of the user, always in a modal box titled
// "Songbinder". QtDialogs shows real boxes; tests answer from a script.
enum class MessageIcon { None, Information, Exclamation };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
// Closing a box without a button answers Cancel (or No where there is none).
enum class MessageAnswer { Ok, Yes, No, Cancel };

struct MessageRequest {
    QString text;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    MessageAnswer defaultButton = MessageAnswer::Ok;
};

// An open or save file dialog. `filter` is written as pairs of description
// and pattern separated by '|': "Playlists (*.m3u)|*.m3u|All Files (*.*)|*.*".
struct FileDialogRequest {
    QString title;
    QString filter;
    QString initialFolder;
    QString initialName; // a file name or a full path
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual MessageAnswer message(const MessageRequest& request) = 0;
    // The chosen full path, or nothing when the user cancelled.
    virtual std::optional<QString> openFile(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> saveFile(const FileDialogRequest& request) = 0;

    // The usual refusal: exclamation icon, OK only.
    void warn(const QString& text) {
        message({text, MessageIcon::Exclamation, MessageButtons::Ok, MessageAnswer::Ok});
    }
    // Information: information icon, OK only.
    void inform(const QString& text) {
        message({text, MessageIcon::Information, MessageButtons::Ok, MessageAnswer::Ok});
    }
    MessageAnswer ask(const QString& text, MessageButtons buttons, MessageAnswer defaultButton) {
        return message({text, MessageIcon::None, buttons, defaultButton});
    }
};
