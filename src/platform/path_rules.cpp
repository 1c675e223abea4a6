#include "platform/path_rules.h"

#include <QList>
#include <QStringView>

#include <algorithm>

bool PathRules::isFullPath(const QString& path) const {
    if (isWindows())
        return path.size() >= 2 && path.at(1) == QLatin1Char(':');
    return path.startsWith(QLatin1Char('/'));
}

bool PathRules::mayBeFullPath(const QString& path) const {
    if (isWindows())
        return path.contains(QLatin1Char(':'));
    return path.startsWith(QLatin1Char('/'));
}

QString PathRules::withoutPadding(const QString& path) const {
    if (!isWindows())
        return path;
    qsizetype begin = 0;
    qsizetype end = path.size();
    while (begin < end && path.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && path.at(end - 1) == QLatin1Char(' '))
        --end;
    return path.sliced(begin, end - begin);
}

QString PathRules::withTrailingSeparator(const QString& folder) const {
    qsizetype end = folder.size();
    if (isWindows()) {
        while (end > 0 && folder.at(end - 1) == QLatin1Char(' '))
            --end;
    }
    QString result = folder.left(end);
    if (!result.endsWith(separator()))
        result += separator();
    return result;
}

bool PathRules::lessForPlaylist(const QString& a, const QString& b) {
    // Entries share long leading folders, so the part equal unit for unit is
    // skipped before the case-blind comparison, which then folds only what
    // differs.
    const qsizetype shorter = std::min(a.size(), b.size());
    const QChar* pa = a.constData();
    const QChar* pb = b.constData();
    qsizetype same = 0;
    while (same < shorter && pa[same] == pb[same])
        ++same;
    // Case folding works on whole characters: never split a surrogate pair.
    if (same > 0 && pa[same - 1].isHighSurrogate())
        --same;
    const QStringView restA = QStringView(a).sliced(same);
    const QStringView restB = QStringView(b).sliced(same);
    const int c = restA.compare(restB, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : restA.compare(restB, Qt::CaseSensitive) < 0;
}

namespace {

// Iterative wildcard match with one backtracking point: '*' any run, '?' any
// one character, everything else compared ignoring case.
bool wildcardMatch(QStringView name, QStringView pattern) {
    qsizetype n = 0, p = 0, starP = -1, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == QLatin1Char('*')) {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && (pattern[p] == QLatin1Char('?') ||
                                          pattern[p].toCaseFolded() == name[n].toCaseFolded())) {
            ++p;
            ++n;
        } else if (starP >= 0) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == QLatin1Char('*'))
        ++p;
    return p == pattern.size();
}

} // namespace

bool PathRules::matchesPattern(const QString& name, const QString& pattern) {
    return wildcardMatch(name, pattern);
}

bool PathRules::matchesAnyPattern(const QString& name, const QString& patterns) {
    for (QStringView one : QStringView(patterns).split(QLatin1Char(';'))) {
        one = one.trimmed();
        if (!one.isEmpty() && wildcardMatch(name, one))
            return true;
    }
    return false;
}
