#include "playlist_file/information_request.h"

#include "songbinder_version.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace {

class Texts {
    Q_DECLARE_TR_FUNCTIONS(InformationRequest)

public:
    static QString description() { return tr("Builds and edits .m3u playlists."); }
    static QString playlist() {
        return tr("The playlist to open. Every argument together names one file; quotes "
                  "are removed.");
    }
    static QString playlistName() { return tr("playlist"); }
    static QString playlistSyntax() { return tr("[PLAYLIST.m3u]"); }
    static QString help() { return tr("Shows this help and exits."); }
    static QString version() { return tr("Shows the version and exits."); }
};

const QString kHelp = QStringLiteral("--help");
const QString kVersion = QStringLiteral("--version");

QString helpText() {
    QCommandLineParser parser;
    parser.setApplicationDescription(Texts::description());
    parser.addPositionalArgument(Texts::playlistName(), Texts::playlist(), Texts::playlistSyntax());
    // Listed, not parsed: the words are recognised only on their own.
    parser.addOption(QCommandLineOption(QStringLiteral("help"), Texts::help()));
    parser.addOption(QCommandLineOption(QStringLiteral("version"), Texts::version()));
    return parser.helpText();
}

} // namespace

InformationRequest informationRequested(const QStringList& arguments) {
    if (arguments.size() != 1)
        return InformationRequest::None;
    if (arguments.first() == kVersion)
        return InformationRequest::Version;
    if (arguments.first() == kHelp)
        return InformationRequest::Help;
    return InformationRequest::None;
}

QString informationText(InformationRequest request) {
    switch (request) {
    case InformationRequest::Help:
        return helpText();
    case InformationRequest::Version:
        return QStringLiteral("Songbinder %1\n").arg(QLatin1String(songbinder::kVersion));
    case InformationRequest::None:
        break;
    }
    return QString();
}
