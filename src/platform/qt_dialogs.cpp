#include "platform/qt_dialogs.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include <algorithm>

namespace {

QMessageBox::StandardButton toButton(MessageAnswer answer) {
    switch (answer) {
    case MessageAnswer::Yes:
        return QMessageBox::Yes;
    case MessageAnswer::No:
        return QMessageBox::No;
    case MessageAnswer::Cancel:
        return QMessageBox::Cancel;
    case MessageAnswer::Ok:
        break;
    }
    return QMessageBox::Ok;
}

} // namespace

MessageAnswer QtDialogs::showMessage(const MessageRequest& request) {
    QMessageBox box(m_parent);
    // Every box of the program carries its name as the title.
    box.setWindowTitle(QCoreApplication::translate("Dialogs", "Songbinder"));
    box.setText(request.text);
    box.setTextFormat(Qt::PlainText);
    switch (request.icon) {
    case MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MessageIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    switch (request.buttons) {
    case MessageButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        break;
    case MessageButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        break;
    case MessageButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
    box.setDefaultButton(toButton(request.defaultButton));
    if (!request.details.isEmpty())
        box.setDetailedText(request.details);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Ok:
        return MessageAnswer::Ok;
    default:
        return request.buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Cancel;
    }
}

QStringList QtDialogs::nameFilters(const QString& filter, const PathRules& rules) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& name = parts[i];
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        const QString shown =
            name.contains(QLatin1Char('('))
                ? name
                : name + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
        if (!rules.isWindows())
            std::replace(patterns.begin(), patterns.end(), QStringLiteral("*.*"),
                         QStringLiteral("*"));
        // The dialog matches by the last parenthesis and shows what comes
        // before it.
        filters.append(shown + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')'));
    }
    return filters;
}

void QtDialogs::prepareFileDialog(QFileDialog& dialog, const FileDialogRequest& request,
                                  bool save) {
    dialog.setWindowTitle(request.title);
    // The filters show their descriptions only: nameFilters() puts what they
    // match behind them.
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite |
                      QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(nameFilters(request.filter));
    if (!request.initialFolder.isEmpty())
        dialog.setDirectory(request.initialFolder);
    if (!request.initialName.isEmpty()) {
        const QFileInfo initial(request.initialName);
        if (initial.isAbsolute())
            dialog.setDirectory(initial.absolutePath());
        dialog.selectFile(initial.fileName());
    }
}

std::optional<QString> QtDialogs::runFileDialog(const FileDialogRequest& request, bool save) {
    QFileDialog dialog(m_parent);
    prepareFileDialog(dialog, request, save);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.first();
}

std::optional<QString> QtDialogs::showOpenFile(const FileDialogRequest& request) {
    return runFileDialog(request, false);
}

std::optional<QString> QtDialogs::showSaveFile(const FileDialogRequest& request) {
    return runFileDialog(request, true);
}

std::optional<QString> QtDialogs::showChooseFolder(const FileDialogRequest& request) {
    QFileDialog dialog(m_parent);
    dialog.setWindowTitle(request.title);
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::ShowDirsOnly);
    dialog.setFileMode(QFileDialog::Directory);
    if (!request.initialFolder.isEmpty())
        dialog.setDirectory(request.initialFolder);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen.first();
}
