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
    // A long list that would not fit in the box (every entry a command
    // found): shown on request below the text.
    QString details;
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

    MessageAnswer message(const MessageRequest& request) {
        const Modal open(*this);
        return showMessage(request);
    }
    // The chosen full path, or nothing when the user cancelled.
    std::optional<QString> openFile(const FileDialogRequest& request) {
        const Modal open(*this);
        return showOpenFile(request);
    }
    std::optional<QString> saveFile(const FileDialogRequest& request) {
        const Modal open(*this);
        return showSaveFile(request);
    }
    // A folder chosen by the user (title and initial folder of the request
    // apply), or nothing when the user cancelled.
    std::optional<QString> chooseFolder(const FileDialogRequest& request) {
        const Modal open(*this);
        return showChooseFolder(request);
    }

    // The usual refusal: exclamation icon, OK only.
    void warn(const QString& text) {
        show({text, MessageIcon::Exclamation, MessageButtons::Ok, MessageAnswer::Ok, {}});
    }
    // Information: information icon, OK only.
    void inform(const QString& text) {
        show({text, MessageIcon::Information, MessageButtons::Ok, MessageAnswer::Ok, {}});
    }
    MessageAnswer ask(const QString& text, MessageButtons buttons, MessageAnswer defaultButton,
                      const QString& details = {}) {
        return show({text, MessageIcon::None, buttons, defaultButton, details});
    }
    void inform(const QString& text, const QString& details) {
        show({text, MessageIcon::Information, MessageButtons::Ok, MessageAnswer::Ok, details});
    }

    // Runs before each box of warn(), inform() and ask(): a box lets the
    // window repaint, so what it shows must be up to date by then. Returns
    // the one it replaces, which the new one should run too.
    std::function<void()> setBeforeShowing(std::function<void()> hook) {
        return std::exchange(m_beforeShowing, std::move(hook));
    }

    // A box or file dialog runs the window's events while it is open, so
    // long work could go on behind it and change the playlist under a
    // question about it. Each open one counts, and so does other modal work
    // that holds a Modal (a playlist being loaded); long work that changes
    // the playlist waits while the count is above zero. Boxes open one over
    // another on the one thread, so this is the GUI thread's alone.
    class Modal {
    public:
        explicit Modal(Dialogs& dialogs)
            : m_dialogs(dialogs) {
            ++m_dialogs.m_modalCount;
        }
        ~Modal() {
            if (--m_dialogs.m_modalCount == 0 && m_dialogs.m_allClosed)
                m_dialogs.m_allClosed();
        }
        Modal(const Modal&) = delete;
        Modal& operator=(const Modal&) = delete;

    private:
        Dialogs& m_dialogs;
    };
    int modalCount() const { return m_modalCount; }
    bool anyModalOpen() const { return m_modalCount > 0; }
    // Runs each time the last open one closes. Returns the one it replaces,
    // which the new one should run too.
    std::function<void()> setAllClosed(std::function<void()> hook) {
        return std::exchange(m_allClosed, std::move(hook));
    }

protected:
    virtual MessageAnswer showMessage(const MessageRequest& request) = 0;
    virtual std::optional<QString> showOpenFile(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> showSaveFile(const FileDialogRequest& request) = 0;
    // Dialogs that never offer a folder (answering machines of benchmarks
    // and tests) leave this one out: cancelled.
    virtual std::optional<QString> showChooseFolder(const FileDialogRequest& request) {
        Q_UNUSED(request);
        return std::nullopt;
    }

private:
    MessageAnswer show(const MessageRequest& request) {
        if (m_beforeShowing)
            m_beforeShowing();
        return message(request);
    }

    std::function<void()> m_beforeShowing;
    std::function<void()> m_allClosed;
    int m_modalCount = 0;
};
