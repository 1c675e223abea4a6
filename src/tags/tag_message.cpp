#include "tags/tag_message.h"

#include "tags/genres.h"
#include "tags/id3_tag.h"

#include <QStringList>

QString tagMessageText(const ID3Tag& tag, const GenreTable& genres) {
    QStringList lines;
    const auto addLine = [&lines](const char* label, const QString& value) {
        if (!value.isEmpty())
            lines.append(QLatin1String(label) + value);
    };
    addLine("Title: ", tag.Title);
    addLine("Artist: ", tag.Artist);
    addLine("Album: ", tag.Album);
    if (tag.Track != 0)
        addLine("Track: ", QString::number(tag.Track));
    addLine("Year: ", tag.Year);
    addLine("Notes: ", tag.Comment);
    // Genre 0 is also what a tag without a genre holds, so it is not shown.
    if (tag.Genre != 0)
        addLine("Genre: ", genres.sGenreName(tag.Genre));
    addLine("ID3 Version: ", tag.Version);
    return lines.join(QStringLiteral("\r\n"));
}
