#pragma once

#include <QString>

class Dialogs;
class PathRules;

// The paths an add command left out because a playlist cannot hold them: a
// name that is not UTF-8 (holdsUndecodableName()), whose entry would name no
// file, or a name with a line break, which a playlist would read back as two
// lines. The command tells about them once, at its end.
class UnstorableNames {
public:
    // True, and the path counted, when `path` holds such a name.
    bool skip(const QString& path, const PathRules& rules);
    int count() const { return m_undecodable.count + m_lineBreaks.count; }

    // One exclamation message saying how many were skipped and why, naming
    // the first of each kind as well as it can be shown; nothing when none
    // was.
    void report(Dialogs& dialogs) const;

private:
    struct Kind {
        int count = 0;
        QString first;
        void add(const QString& path);
    };
    Kind m_undecodable;
    Kind m_lineBreaks;
};
