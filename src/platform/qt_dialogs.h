#pragma once

#include "platform/dialogs.h"

#include <QPointer>
#include <QWidget>

// Message boxes and file dialogs as real modal Qt windows over `parent`.
class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent)
        : m_parent(parent) {}

    MessageAnswer message(const MessageRequest& request) override;
    std::optional<QString> openFile(const FileDialogRequest& request) override;
    std::optional<QString> saveFile(const FileDialogRequest& request) override;

    // "Playlists (*.m3u)|*.m3u|All Files (*.*)|*.*" as Qt's name filters.
    static QStringList nameFilters(const QString& filter);

private:
    std::optional<QString> runFileDialog(const FileDialogRequest& request, bool save);

    QPointer<QWidget> m_parent;
};
