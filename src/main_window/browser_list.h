#pragma once

#include <QListWidget>

class FileSystem;

// What the browser's two lists share: the folder they show, and rows the
// user can drag out as files, onto the playlist or to a file manager.
class BrowserList : public QListWidget {
    Q_OBJECT

public:
    explicit BrowserList(FileSystem& fs, QWidget* parent = nullptr);

    // The folder the list shows.
    QString path() const { return m_path; }

protected:
    // The full path of the file or folder a row stands for.
    virtual QString fullPathOf(const QListWidgetItem* item) const = 0;

    // The dragged rows as file: URLs, top to bottom: the order the playlist
    // gets them in.
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override;
    QStringList mimeTypes() const override;
    // Copy and Link only, for drags out of the list.
    Qt::DropActions supportedDropActions() const override;

    FileSystem& m_fs;
    QString m_path;
};
