#pragma once

#include "platform/dialogs.h"

#include <QList>

#include <deque>
#include <functional>

// Answers every dialog from a script and records what was shown. A dialog the
// test did not script, or whose text differs from the script, fails the test.
class ScriptedDialogs final : public Dialogs {
public:
    enum class Kind { Message, Open, Save };

    struct Shown {
        Kind kind;
        MessageRequest message; // for messages
        FileDialogRequest file; // for file dialogs
    };

    // The next dialog is a message with this text (any text when empty),
    // answered so.
    // `whileOpen` runs while the box is open, before it is answered: what
    // the user or the rest of the program does meanwhile.
    void expectMessage(const QString& text, MessageAnswer answer = MessageAnswer::Ok,
                       std::function<void()> whileOpen = {});
    // The next dialog is an open / save dialog, answered with this path or
    // cancelled (nothing).
    void expectOpen(std::optional<QString> answer);
    void expectSave(std::optional<QString> answer);

    MessageAnswer showMessage(const MessageRequest& request) override;
    std::optional<QString> showOpenFile(const FileDialogRequest& request) override;
    std::optional<QString> showSaveFile(const FileDialogRequest& request) override;

    const QList<Shown>& shown() const { return m_shown; }
    QStringList messageTexts() const;
    const MessageRequest& lastMessage() const;
    const FileDialogRequest& lastFileDialog() const;
    // Every scripted answer was used.
    bool done() const { return m_script.empty(); }
    int pending() const { return static_cast<int>(m_script.size()); }
    void clear();

private:
    struct Step {
        Kind kind;
        QString text;
        MessageAnswer answer = MessageAnswer::Ok;
        std::optional<QString> path;
        std::function<void()> whileOpen;
    };
    std::optional<Step> take(Kind kind, const QString& what);

    std::deque<Step> m_script;
    QList<Shown> m_shown;
};
