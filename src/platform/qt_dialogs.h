#pragma once

#include "platform/dialogs.h"
#include "platform/path_rules.h"

#include <QPointer>
#include <QWidget>

class QFileDialog;

// Message boxes and file dialogs as real modal Qt windows over `parent`.
class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent)
        : m_parent(parent) {}

    MessageAnswer showMessage(const MessageRequest& request) override;
    std::optional<QString> showOpenFile(const FileDialogRequest& request) override;
    std::optional<QString> showSaveFile(const FileDialogRequest& request) override;
    std::optional<QString> showChooseFolder(const FileDialogRequest& request) override;

    // "Playlists (*.m3u)|*.m3u|All Files (*.*)|*.*" as Qt's name filters for
    // a dialog that hides their details (QFileDialog::HideNameFilterDetails):
    // each shows its description as written and matches by its patterns as
    // `rules` read them. "*.*" matches every file under Windows rules only,
    // so elsewhere it is asked for as "*", or names without a dot would be
    // left out.
    static QStringList nameFilters(const QString& filter,
                                   const PathRules& rules = PathRules::native());

    // Sets up an open or save dialog for the request: the program's own
    // dialog, no overwrite question and no default suffix (the program asks
    // its own questions), the filters, the starting folder and name.
    static void prepareFileDialog(QFileDialog& dialog, const FileDialogRequest& request, bool save);

private:
    std::optional<QString> runFileDialog(const FileDialogRequest& request, bool save);

    QPointer<QWidget> m_parent;
};
