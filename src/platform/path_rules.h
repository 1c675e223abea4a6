#pragma once

#include <QString>

// How paths are spelled and compared on one platform. The playlist rules are
// stated once and applied through this object, so the same code serves
// Windows rules (drive letters, "\", case-blind names) and POSIX rules
// ("/", case-sensitive names).
class PathRules {
public:
    enum class Kind { Windows, Posix };

    explicit constexpr PathRules(Kind kind)
        : m_kind(kind) {}

    static constexpr PathRules windows() { return PathRules(Kind::Windows); }
    static constexpr PathRules posix() { return PathRules(Kind::Posix); }

    Kind kind() const { return m_kind; }
    bool isWindows() const { return m_kind == Kind::Windows; }

    // The folder separator: "\" with Windows rules, "/" with POSIX rules.
    QChar separator() const { return isWindows() ? QLatin1Char('\\') : QLatin1Char('/'); }
    QString separatorString() const { return QString(separator()); }

    // A path in full form: "C:..." (second character is ':') with Windows
    // rules, "/..." with POSIX rules. Text is tested as it stands, untrimmed.
    bool isFullPath(const QString& path) const;
    // The looser test for an entry joined to the root: it contains a ':'
    // anywhere (Windows) / begins with '/' (POSIX).
    bool mayBeFullPath(const QString& path) const;
    // Spaces around a path are padding under Windows rules, where names never
    // begin or end with one, and go; under POSIX rules they belong to the name
    // and stay, or the path would name another file.
    QString withoutPadding(const QString& path) const;
    // A folder path with exactly one separator at its end: "C:\Music" and
    // "C:\Music\" both give "C:\Music\", "" gives the separator alone.
    // Trailing spaces are padding under Windows rules and go first; under
    // POSIX rules they are part of the folder's name ("Mix ") and stay.
    QString withTrailingSeparator(const QString& folder) const;

    // Case rule for the identity of paths and entries: the root prefix test,
    // the duplicate test, root against playlist folder, folder against folder.
    Qt::CaseSensitivity identityCase() const {
        return isWindows() ? Qt::CaseInsensitive : Qt::CaseSensitive;
    }
    bool samePath(const QString& a, const QString& b) const {
        return a.compare(b, identityCase()) == 0;
    }
    // A key under which two paths are equal exactly when samePath() says so.
    QString identityKey(const QString& path) const { return isWindows() ? path.toLower() : path; }
    // True when the first prefix.size() characters of path equal prefix (the
    // whole path when it is shorter, which then never matches).
    bool startsWithPath(const QString& path, const QString& prefix) const {
        return path.startsWith(prefix, identityCase());
    }

    // File-name patterns ("*.mp3", "a?c.wav") ignore letter case under both
    // rules, so SONG.MP3 is listed and walked on Linux too.
    static bool matchesPattern(const QString& name, const QString& pattern);
    // Several patterns separated by ';' ("*.mp3;*.wav;*.wma").
    static bool matchesAnyPattern(const QString& name, const QString& patterns);

    // Playlist order: ascending, ignoring letter case; names equal but for
    // case keep a fixed order among themselves.
    static bool lessForPlaylist(const QString& a, const QString& b);

    // The native rules of the platform this program was built for.
    static constexpr PathRules native() {
#ifdef Q_OS_WIN
        return windows();
#else
        return posix();
#endif
    }

private:
    Kind m_kind;
};
