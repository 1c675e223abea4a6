#include "playlist/dropped_files.h"

#include "platform/entry_lookup.h"

#include <QDir>
#include <QMimeData>
#include <QUrl>

std::optional<QStringList> droppedFilePaths(const QMimeData& data) {
    if (!data.hasUrls())
        return std::nullopt;
    QStringList paths;
    for (const QUrl& url : data.urls()) {
        if (!url.isLocalFile())
            continue;
        // A file: URL of this machine may name it ("localhost", its own
        // name, as some programs write); any other host is a network path,
        // written as //host/path.
        QUrl local = url;
        if (isThisMachine(url.host()))
            local.setHost(QString());
        paths.append(QDir::toNativeSeparators(local.toLocalFile()));
    }
    if (paths.isEmpty())
        return std::nullopt;
    return paths;
}
