#include "playlist_file/playlist_format.h"

#include "platform/entry_lookup.h"

#include <algorithm>

namespace {

const QLatin1String kHeader("#EXTM3U");

} // namespace

bool isDirective(QStringView line) {
    return line.startsWith(QLatin1Char('#'));
}

bool isBlankLine(QStringView line) {
    return std::all_of(line.begin(), line.end(), [](QChar c) { return c == QLatin1Char(' '); });
}

QStringList splitPlaylistLines(QStringView text) {
    QStringList lines;
    const qsizetype size = text.size();
    qsizetype start = 0;
    // The next CR and the next LF at or after `start` (`size` when there is
    // none), each searched for again only once the line start has passed it.
    qsizetype cr = -1;
    qsizetype lf = -1;
    const auto findNext = [&](qsizetype& at, QChar c) {
        if (at < start) {
            at = text.indexOf(c, start);
            if (at < 0)
                at = size;
        }
    };
    while (start < size) {
        findNext(cr, QLatin1Char('\r'));
        findNext(lf, QLatin1Char('\n'));
        const qsizetype end = std::min(cr, lf);
        lines.append(text.sliced(start, end - start).toString());
        const bool crLf = end == cr && lf == end + 1 && lf < size;
        start = end + (crLf ? 2 : 1);
    }
    return lines;
}

PlaylistLines groupPlaylistLines(QStringList lines) {
    PlaylistLines playlist;
    qsizetype at = 0;
    if (!lines.isEmpty() && lines.first().startsWith(kHeader))
        playlist.header = std::move(lines[at++]);
    QStringList run;
    for (; at < lines.size(); ++at) {
        QString& line = lines[at];
        if (isDirective(line)) {
            run.append(std::move(line));
        } else {
            playlist.entries.append(std::move(line));
            playlist.directives.append(std::exchange(run, {}));
        }
    }
    playlist.trailer = std::move(run);
    return playlist;
}

bool hasDirectives(const PlaylistLines& playlist) {
    return !playlist.header.isEmpty() || !playlist.trailer.isEmpty() ||
           std::any_of(playlist.directives.cbegin(), playlist.directives.cend(),
                       [](const QStringList& run) { return !run.isEmpty(); });
}

QStringList playlistFileLines(const PlaylistLines& playlist) {
    QStringList lines;
    lines.reserve(playlist.entries.size() + playlist.trailer.size() + 1);
    if (!playlist.header.isEmpty())
        lines.append(playlist.header);
    for (qsizetype row = 0; row < playlist.entries.size(); ++row) {
        if (row < playlist.directives.size())
            lines.append(playlist.directives.at(row));
        lines.append(playlist.entries.at(row));
    }
    lines.append(playlist.trailer);
    return lines;
}

namespace {

bool decidesRoot(const QString& entry) {
    return !isBlankLine(entry) && !isUrlEntry(entry);
}

} // namespace

qsizetype rootDecidingEntry(const QStringList& entries) {
    const auto at = std::find_if(entries.cbegin(), entries.cend(), decidesRoot);
    return at == entries.cend() ? -1 : at - entries.cbegin();
}

qsizetype rootDecidingEntry(const QList<PlaylistEntry>& entries) {
    const auto at = std::find_if(entries.cbegin(), entries.cend(), [](const PlaylistEntry& entry) {
        return decidesRoot(entry.text);
    });
    return at == entries.cend() ? -1 : at - entries.cbegin();
}

void PlaylistContentReader::add(QByteArrayView piece) {
    m_lines.add(piece, [this](QString line) { take(std::move(line)); });
}

PlaylistContent PlaylistContentReader::finish() {
    m_lines.finish([this](QString line) { take(std::move(line)); });
    m_content.encoding = m_lines.encoding().value_or(TextCodec::PlaylistEncoding::Plain);
    m_content.trailer = std::exchange(m_run, {});
    return std::move(m_content);
}

void PlaylistContentReader::take(QString line) {
    if (std::exchange(m_firstLine, false) && line.startsWith(kHeader))
        m_content.header = std::move(line);
    else if (isDirective(line))
        m_run.append(std::move(line));
    else
        m_content.entries.append({std::move(line), std::exchange(m_run, {})});
}

std::optional<PlaylistContent> readPlaylistContent(QByteArrayView bytes, const PathRules& rules,
                                                   const std::function<bool()>& keepGoing) {
    constexpr qsizetype kPiece = 64 * 1024;
    PlaylistContentReader reader(rules);
    for (qsizetype at = 0; at < bytes.size(); at += kPiece) {
        if (keepGoing && !keepGoing())
            return std::nullopt;
        reader.add(bytes.sliced(at, std::min(kPiece, bytes.size() - at)));
    }
    return reader.finish();
}
