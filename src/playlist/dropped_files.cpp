#include "playlist/dropped_files.h"

#include <QDir>
#include <QMimeData>
#include <QSysInfo>
#include <QUrl>

namespace {

// A file: URL names this machine when it has no host, "localhost" or this
// machine's own name (some programs write it in); any other host is a
// network path, written as //host/path.
bool namesThisMachine(const QUrl& url, const QString& thisMachine) {
    const QString host = url.host();
    return host.isEmpty() || host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0 ||
           host.compare(thisMachine, Qt::CaseInsensitive) == 0;
}

} // namespace

std::optional<QStringList> droppedFilePaths(const QMimeData& data) {
    if (!data.hasUrls())
        return std::nullopt;
    const QString thisMachine = QSysInfo::machineHostName();
    QStringList paths;
    for (const QUrl& url : data.urls()) {
        if (!url.isLocalFile())
            continue;
        QUrl local = url;
        if (namesThisMachine(url, thisMachine))
            local.setHost(QString());
        paths.append(QDir::toNativeSeparators(local.toLocalFile()));
    }
    if (paths.isEmpty())
        return std::nullopt;
    return paths;
}
