#include "scripted_dialogs.h"

#include <QTest>

namespace {

const char* kindName(ScriptedDialogs::Kind kind) {
    switch (kind) {
    case ScriptedDialogs::Kind::Message:
        return "message";
    case ScriptedDialogs::Kind::Open:
        return "open dialog";
    case ScriptedDialogs::Kind::Save:
        return "save dialog";
    }
    return "?";
}

} // namespace

void ScriptedDialogs::expectMessage(const QString& text, MessageAnswer answer,
                                    std::function<void()> whileOpen) {
    m_script.push_back({Kind::Message, text, answer, std::nullopt, std::move(whileOpen)});
}

void ScriptedDialogs::expectOpen(std::optional<QString> answer) {
    m_script.push_back({Kind::Open, {}, MessageAnswer::Ok, std::move(answer), {}});
}

void ScriptedDialogs::expectSave(std::optional<QString> answer) {
    m_script.push_back({Kind::Save, {}, MessageAnswer::Ok, std::move(answer), {}});
}

std::optional<ScriptedDialogs::Step> ScriptedDialogs::take(Kind kind, const QString& what) {
    if (m_script.empty()) {
        QTest::qFail(
            qPrintable(
                QStringLiteral("unexpected %1: %2").arg(QString::fromLatin1(kindName(kind)), what)),
            __FILE__, __LINE__);
        return std::nullopt;
    }
    Step step = m_script.front();
    m_script.pop_front();
    if (step.kind != kind) {
        QTest::qFail(qPrintable(QStringLiteral("expected a %1, got a %2: %3")
                                    .arg(QString::fromLatin1(kindName(step.kind)),
                                         QString::fromLatin1(kindName(kind)), what)),
                     __FILE__, __LINE__);
        return std::nullopt;
    }
    if (kind == Kind::Message && !step.text.isEmpty() && step.text != what) {
        QTest::qFail(
            qPrintable(QStringLiteral("expected message \"%1\", got \"%2\"").arg(step.text, what)),
            __FILE__, __LINE__);
    }
    return step;
}

MessageAnswer ScriptedDialogs::showMessage(const MessageRequest& request) {
    m_shown.append({Kind::Message, request, {}});
    const std::optional<Step> step = take(Kind::Message, request.text);
    if (!step)
        return request.buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
    if (step->whileOpen)
        step->whileOpen();
    return step->answer;
}

std::optional<QString> ScriptedDialogs::showOpenFile(const FileDialogRequest& request) {
    m_shown.append({Kind::Open, {}, request});
    const std::optional<Step> step = take(Kind::Open, request.title);
    return step ? step->path : std::nullopt;
}

std::optional<QString> ScriptedDialogs::showSaveFile(const FileDialogRequest& request) {
    m_shown.append({Kind::Save, {}, request});
    const std::optional<Step> step = take(Kind::Save, request.title);
    return step ? step->path : std::nullopt;
}

QStringList ScriptedDialogs::messageTexts() const {
    QStringList texts;
    for (const Shown& s : m_shown)
        if (s.kind == Kind::Message)
            texts.append(s.message.text);
    return texts;
}

const MessageRequest& ScriptedDialogs::lastMessage() const {
    for (auto it = m_shown.crbegin(); it != m_shown.crend(); ++it)
        if (it->kind == Kind::Message)
            return it->message;
    static const MessageRequest none;
    return none;
}

const FileDialogRequest& ScriptedDialogs::lastFileDialog() const {
    for (auto it = m_shown.crbegin(); it != m_shown.crend(); ++it)
        if (it->kind != Kind::Message)
            return it->file;
    static const FileDialogRequest none;
    return none;
}

void ScriptedDialogs::clear() {
    m_script.clear();
    m_shown.clear();
}
