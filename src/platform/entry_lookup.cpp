#include "platform/entry_lookup.h"

#include "platform/escaped_bytes.h"
#include "platform/file_system.h"
#include "platform/hex_digits.h"
#include "platform/text_codec.h"

#include <QSysInfo>

namespace {

bool isAsciiLetter(QChar c) {
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

bool isSchemeCharacter(QChar c) {
    return isAsciiLetter(c) || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           c == QLatin1Char('+') || c == QLatin1Char('-') || c == QLatin1Char('.');
}

// The length of the scheme before the ':' that ends it; 0 when the entry
// does not begin with one.
qsizetype schemeLength(QStringView entry) {
    if (entry.isEmpty() || !isAsciiLetter(entry.front()))
        return 0;
    qsizetype at = 1;
    while (at < entry.size() && isSchemeCharacter(entry[at]))
        ++at;
    return at < entry.size() && entry[at] == QLatin1Char(':') ? at : 0;
}

// "%XX" becomes the byte XX; a '%' that begins no such escape stands for
// itself, as tools that never escape a '%' in a name write it.
QByteArray percentDecoded(QStringView text) {
    const QByteArray bytes = EscapedBytes::toBytes(text);
    QByteArray decoded;
    decoded.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '%' && i + 2 < bytes.size() && hexDigitValue(bytes[i + 1]) >= 0 &&
            hexDigitValue(bytes[i + 2]) >= 0) {
            decoded.append(
                static_cast<char>(hexDigitValue(bytes[i + 1]) * 16 + hexDigitValue(bytes[i + 2])));
            i += 2;
        } else {
            decoded.append(bytes[i]);
        }
    }
    return decoded;
}

// "/C:/Music" is how a URL spells the drive path "C:/Music".
bool isDrivePath(QStringView path) {
    return path.size() >= 3 && path[0] == QLatin1Char('/') && isAsciiLetter(path[1]) &&
           path[2] == QLatin1Char(':');
}

// An entry that is not UTF-8 (it holds escapes) names a file by its bytes
// on a disk whose names are in Latin-1, or by its Windows-1252 text on a
// disk that a playlist written on Windows points to: either one is the file.
// The root comes from the disk and is text already.
bool isNamedFile(FileSystem& fs, const QString& root, const QString& entry) {
    return isOrdinaryFile(fs, root + entry) ||
           (EscapedBytes::holdsEscapes(entry) &&
            isOrdinaryFile(fs, root + EscapedBytes::forDisplay(entry)));
}

} // namespace

EntryForm entryForm(QStringView entry) {
    const qsizetype scheme = schemeLength(entry);
    if (scheme == 0)
        return EntryForm::Path;
    if (entry.first(scheme).compare(QLatin1String("file"), Qt::CaseInsensitive) == 0)
        return EntryForm::FileUrl;
    if (scheme >= 2 && entry.sliced(scheme).startsWith(QLatin1String("://")))
        return EntryForm::Stream;
    return EntryForm::Path;
}

bool isThisMachine(QStringView host) {
    static const QString thisMachine = QSysInfo::machineHostName();
    return host.isEmpty() || host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0 ||
           host.compare(thisMachine, Qt::CaseInsensitive) == 0;
}

std::optional<QString> fileUrlPath(QStringView url, const PathRules& rules) {
    if (entryForm(url) != EntryForm::FileUrl)
        return std::nullopt;
    QStringView rest = url.sliced(url.indexOf(QLatin1Char(':')) + 1);
    const qsizetype end = [&] {
        qsizetype at = 0;
        while (at < rest.size() && rest[at] != QLatin1Char('?') && rest[at] != QLatin1Char('#'))
            ++at;
        return at;
    }();
    rest.truncate(end);
    QStringView host;
    if (rest.startsWith(QLatin1String("//"))) {
        const qsizetype slash = rest.indexOf(QLatin1Char('/'), 2);
        if (slash < 0)
            return std::nullopt;
        host = rest.sliced(2, slash - 2);
        rest = rest.sliced(slash);
    }
    if (!rest.startsWith(QLatin1Char('/')))
        return std::nullopt;
    const QByteArray bytes = percentDecoded(rest);
    if (bytes.contains('\0') || !TextCodec::isValidUtf8(bytes))
        return std::nullopt;
    QString path = QString::fromUtf8(bytes);
    const bool local = isThisMachine(host);
    if (!rules.isWindows())
        return local ? std::optional<QString>(path) : std::nullopt;
    if (local && isDrivePath(path))
        path.remove(0, 1);
    else if (!local)
        path.prepend(QLatin1String("//") + host.toString());
    return path.replace(QLatin1Char('/'), rules.separator());
}

bool entryIsPresent(FileSystem& fs, const QString& root, const QString& entry) {
    const PathRules& rules = fs.rules();
    switch (entryForm(entry)) {
    case EntryForm::Stream:
        return true;
    case EntryForm::FileUrl: {
        const std::optional<QString> path = fileUrlPath(entry, rules);
        return path && isOrdinaryFile(fs, *path);
    }
    case EntryForm::Path:
        break;
    }
    // A name that cannot be a full path is not even searched for.
    const QString full = root + entry;
    if (!rules.mayBeFullPath(full))
        return false;
    if (isNamedFile(fs, root, entry))
        return true;
    const QChar windowsSeparator = PathRules::windows().separator();
    if (rules.isWindows() || !full.contains(windowsSeparator))
        return false;
    const auto slashed = [&](QString text) {
        return text.replace(windowsSeparator, rules.separator());
    };
    return isNamedFile(fs, slashed(root), slashed(entry));
}
