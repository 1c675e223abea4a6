#include "playlist/undecodable_names.h"

#include "platform/dialogs.h"
#include "platform/file_system.h"

#include <QCoreApplication>

namespace {

class Texts {
    Q_DECLARE_TR_FUNCTIONS(UndecodableNames)

public:
    static QString skipped(int count, const QString& first) {
        if (count == 1)
            return tr("This name is not valid UTF-8 text, so a playlist cannot hold it. It was "
                      "skipped:\n%1")
                .arg(first);
        return tr("%1 names are not valid UTF-8 text, so a playlist cannot hold them. They were "
                  "skipped. The first was:\n%2")
            .arg(count)
            .arg(first);
    }
};

} // namespace

bool UndecodableNames::skip(const QString& path, const PathRules& rules) {
    if (!holdsUndecodableName(path, rules))
        return false;
    if (m_count++ == 0)
        m_first = path;
    return true;
}

void UndecodableNames::report(Dialogs& dialogs) const {
    if (m_count > 0)
        dialogs.warn(Texts::skipped(m_count, m_first));
}
