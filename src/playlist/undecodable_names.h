#pragma once

#include <QString>

class Dialogs;
class PathRules;

// The paths an add command left out because a name in them is not UTF-8
// (holdsUndecodableName()): an entry made of such a path would name no file.
// The command tells about them once, at its end.
class UndecodableNames {
public:
    // True, and the path counted, when `path` holds such a name.
    bool skip(const QString& path, const PathRules& rules);
    int count() const { return m_count; }
    const QString& first() const { return m_first; }

    // One exclamation message saying how many were skipped and why, naming
    // the first as well as it can be shown; nothing when none was.
    void report(Dialogs& dialogs) const;

private:
    int m_count = 0;
    QString m_first;
};
