#include "playlist/unstorable_names.h"

#include "platform/dialogs.h"
#include "platform/file_system.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

class Texts {
    Q_DECLARE_TR_FUNCTIONS(UnstorableNames)

public:
    static QString undecodable(int count, const QString& first) {
        return tr("%Ln names are not valid UTF-8 text, so a playlist cannot hold them. They were "
                  "skipped. The first was:\n%1",
                  nullptr, count)
            .arg(first);
    }
    static QString lineBreaks(int count, const QString& first) {
        return tr("%Ln names hold a line break, so a playlist cannot hold them. They were "
                  "skipped. The first was:\n%1",
                  nullptr, count)
            .arg(first);
    }
};

bool holdsLineBreak(const QString& path) {
    return path.contains(QLatin1Char('\n')) || path.contains(QLatin1Char('\r'));
}

} // namespace

void UnstorableNames::Kind::add(const QString& path) {
    if (count++ == 0)
        first = path;
}

bool UnstorableNames::skip(const QString& path, const PathRules& rules) {
    if (holdsUndecodableName(path, rules))
        m_undecodable.add(path);
    else if (holdsLineBreak(path))
        m_lineBreaks.add(path);
    else
        return false;
    return true;
}

void UnstorableNames::report(Dialogs& dialogs) const {
    QStringList parts;
    if (m_undecodable.count > 0)
        parts.append(Texts::undecodable(m_undecodable.count, m_undecodable.first));
    if (m_lineBreaks.count > 0)
        parts.append(Texts::lineBreaks(m_lineBreaks.count, m_lineBreaks.first));
    if (!parts.isEmpty())
        dialogs.warn(parts.join(QStringLiteral("\n\n")));
}
