#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <utility>

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
        show({text, MessageIcon::Exclamation, MessageButtons::Ok, MessageAnswer::Ok});
    }
    // Information: information icon, OK only.
    void inform(const QString& text) {
        show({text, MessageIcon::Information, MessageButtons::Ok, MessageAnswer::Ok});
    }
    MessageAnswer ask(const QString& text, MessageButtons buttons, MessageAnswer defaultButton) {
        return show({text, MessageIcon::None, buttons, defaultButton});
    }

    // Runs before each box of warn(), inform() and ask(): a box lets the
    // window repaint, so what it shows must be up to date by then. Returns
    // the one it replaces, which the new one should run too.
    std::function<void()> setBeforeShowing(std::function<void()> hook) {
        return std::exchange(m_beforeShowing, std::move(hook));
    }

private:
    MessageAnswer show(const MessageRequest& request) {
        if (m_beforeShowing)
            m_beforeShowing();
        return message(request);
    }

    std::function<void()> m_beforeShowing;
};
