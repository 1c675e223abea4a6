#include "tags/tag_message.h"

#include "tags/genres.h"
#include "tags/id3_tag.h"

#include <QStringList>

QString tagMessageText(const Id3Tag& tag) {
    QStringList lines;
    const auto addLine = [&lines](const QString& label, const QString& value) {
        if (!value.isEmpty())
            lines.append(label + value);
    };
    addLine(TagMessage::tr("Title: "), tag.title);
    addLine(TagMessage::tr("Artist: "), tag.artist);
    addLine(TagMessage::tr("Album: "), tag.album);
    if (tag.track != 0)
        addLine(TagMessage::tr("Track: "), QString::number(tag.track));
    addLine(TagMessage::tr("Year: "), tag.year);
    addLine(TagMessage::tr("Notes: "), tag.comment);
    // Genre 0 is also what a tag without a genre holds, so it is not shown.
    if (tag.genre != 0)
        addLine(TagMessage::tr("Genre: "), genreName(tag.genre));
    addLine(TagMessage::tr("ID3 Version: "), tag.version);
    return lines.join(QStringLiteral("\r\n"));
}
