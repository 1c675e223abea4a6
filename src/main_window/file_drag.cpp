#include "main_window/file_drag.h"

#include <QMimeData>
#include <QUrl>

QStringList fileDragMimeTypes() {
    return {QStringLiteral("text/uri-list")};
}

QMimeData* fileDragMimeData(const QStringList& paths) {
    QList<QUrl> urls;
    urls.reserve(paths.size());
    for (const QString& path : paths)
        urls.append(QUrl::fromLocalFile(path));
    auto* data = new QMimeData;
    data->setUrls(urls);
    return data;
}
