#pragma once

#include "main_window/browser_list.h"

// The file list: the names of the files in one folder that match its
// patterns, with extended selection. Files can be dragged onto the playlist.
class FileListView : public BrowserList {
    Q_OBJECT

public:
    explicit FileListView(FileSystem& fs, QWidget* parent = nullptr);

    // Lists `folder`; a reloaded list starts with nothing selected. False,
    // with *error set and nothing changed, when the folder cannot be read.
    bool setPath(const QString& folder, QString* error);

    QString pattern() const { return m_pattern; }
    // "*.mp3;*.wav;*.wma": a file is listed when it matches any of them.
    void setPattern(const QString& pattern);

    // The names of the selected files, top to bottom.
    QStringList selectedNames() const;
    bool hasSelectedFile() const;

protected:
    QString fullPathOf(const QListWidgetItem* item) const override;

private:
    QString m_pattern; // none until start-up sets it
};
