#include "playlist/find_moved_files.h"

#include "platform/dialogs.h"
#include "platform/escaped_bytes.h"
#include "platform/file_system.h"
#include "playlist/all_files_listing.h"
#include "playlist/playlist_document.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSet>

namespace {

class Texts {
    Q_DECLARE_TR_FUNCTIONS(FindMovedFiles)

public:
    static QString found() { return tr("Found:"); }
    static QString ambiguous() { return tr("Ambiguous:"); }
    static QString notFound() { return tr("Not found:"); }
    static QString outsideRoot() { return tr("Outside the root path:"); }
    static QString alreadyThere() { return tr("Already in the playlist:"); }
    static QString more(qsizetype count) {
        return tr("and %n more", nullptr, static_cast<int>(count));
    }
    static QString counts(qsizetype found, qsizetype ambiguous, qsizetype notFound,
                          qsizetype outside, qsizetype already) {
        const QLocale locale;
        return tr("Found: %1\nAmbiguous: %2\nNot found: %3\nOutside the root path: %4\n"
                  "Already in the playlist: %5")
            .arg(locale.toString(found), locale.toString(ambiguous), locale.toString(notFound),
                 locale.toString(outside), locale.toString(already));
    }
    static QString update(qsizetype count) {
        return tr("Update %n Entries?", nullptr, static_cast<int>(count));
    }
    static QString noneMissing() { return tr("No entry of the playlist is missing."); }
    static QString listing(const QString& folder, qint64 found) {
        return tr("Listing the files in %1: %2 found").arg(folder, QLocale().toString(found));
    }
};

// The same text and context as Add Entire Dir's, so one translation serves
// both.
class WalkTexts {
    Q_DECLARE_TR_FUNCTIONS(FolderTreeAdd)

public:
    static QString skipped(const SkippedFolders& skipped) {
        const QString reason =
            skipped.firstReason.isEmpty() ? tr("unknown error") : skipped.firstReason;
        return tr("%n folders could not be read and were skipped. The first was:\n%1\n\n"
                  "Reason: %2",
                  nullptr, static_cast<int>(skipped.folders.size()))
            .arg(skipped.folders.first(), reason);
    }
};

// One kind of outcome: its heading and up to kMostListed lines.
struct Section {
    QString heading;
    QStringList lines;
    qsizetype count = 0;

    void add(const QString& line) {
        if (++count <= FindMovedFiles::kMostListed)
            lines.append(QStringLiteral("  ") + line);
    }
    void appendTo(QStringList& out) const {
        if (count == 0)
            return;
        if (!out.isEmpty())
            out.append(QString());
        out.append(heading);
        out.append(lines);
        if (count > lines.size())
            out.append(QStringLiteral("  ") + Texts::more(count - lines.size()));
    }
};

QString shown(const QString& path) {
    return EscapedBytes::forDisplay(path);
}

QString arrow(const QString& from, const QString& to) {
    return shown(from) + QStringLiteral(" \u2192 ") + shown(to);
}

// Up to this many lines the list is the box's text; a longer one goes into
// its details, below a count of each kind.
constexpr qsizetype kLinesInText = 16;

} // namespace

FindMovedFiles::FindMovedFiles(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs,
                               QString folder, AsOneStep asOneStep, QObject* parent)
    : MissingEntriesWork(document, fs, dialogs, std::move(asOneStep), parent)
    , m_folder(std::move(folder)) {}

QString FindMovedFiles::listingText(qint64 found) const {
    return Texts::listing(m_folder, found);
}

void FindMovedFiles::work() {
    if (!lookAgain() || m_missingCount == 0)
        return;
    enterPhase(Phase::Listing, 0);
    FileNameIndex index(m_fs.rules());
    AllFilesListing listing(m_fs);
    const bool listed = listing.run(
        m_folder,
        [&](const QString& folder, const QString& name) {
            index.add(folder, name);
            advance();
            return !isCancelled();
        },
        [this] { return !isCancelled(); });
    m_skipped = listing.skipped();
    m_unstorable = listing.unstorable();
    if (!listed)
        return;
    enterPhase(Phase::Matching, m_missingCount);
    m_moves.reserve(static_cast<size_t>(m_missingCount));
    const PathRules& rules = m_fs.rules();
    for (qsizetype row = 0; row < m_looked.size(); ++row) {
        if (!m_missing[static_cast<size_t>(row)])
            continue;
        if (isCancelled())
            return;
        const QString& text = m_looked.at(row).text;
        const std::optional<QString> oldPath = entryFilePath(rules, m_root, text);
        Move move{row, oldPath.value_or(text), {}};
        if (oldPath)
            move.found = findMovedFile(index, *oldPath);
        m_moves.push_back(std::move(move));
        advance();
    }
}

void FindMovedFiles::conclude() {
    const int missing = markMissing();
    if (!m_skipped.folders.isEmpty())
        m_dialogs.warn(WalkTexts::skipped(m_skipped));
    m_unstorable.report(m_dialogs);
    if (m_moves.empty()) {
        if (missing == 0)
            m_dialogs.inform(Texts::noneMissing());
        return;
    }

    // What each found file would become, judged against the playlist as it
    // stands now.
    const PathRules& rules = m_document.rules();
    QHash<QString, QString> newTextOf;
    QSet<QString> taken;
    Section found{Texts::found(), {}, 0};
    Section ambiguous{Texts::ambiguous(), {}, 0};
    Section notFound{Texts::notFound(), {}, 0};
    Section outside{Texts::outsideRoot(), {}, 0};
    Section already{Texts::alreadyThere(), {}, 0};
    for (const Move& move : m_moves) {
        const QString& oldText = m_looked.at(move.row).text;
        // The same entry twice: both go where the first goes.
        if (newTextOf.contains(oldText))
            continue;
        switch (move.found.kind) {
        case MovedFile::Kind::NotFound:
            notFound.add(shown(move.oldPath));
            break;
        case MovedFile::Kind::Ambiguous:
            ambiguous.add(shown(move.oldPath));
            for (const QString& candidate : move.found.paths)
                ambiguous.lines.append(QStringLiteral("    ") + shown(candidate));
            break;
        case MovedFile::Kind::Found: {
            const QString& newPath = move.found.paths.first();
            const std::optional<QString> entry = m_document.entryForPath(newPath);
            if (!entry) {
                outside.add(arrow(move.oldPath, newPath));
                break;
            }
            // Two entries made one would lose one of them.
            const QString key = rules.identityKey(*entry);
            if (m_document.model()->contains(*entry) || taken.contains(key)) {
                already.add(arrow(move.oldPath, newPath));
                break;
            }
            taken.insert(key);
            newTextOf.insert(oldText, *entry);
            found.add(arrow(move.oldPath, newPath));
            break;
        }
        }
    }

    QStringList list;
    for (const Section* section : {&found, &ambiguous, &notFound, &outside, &already})
        section->appendTo(list);
    QString text;
    QString details;
    if (list.size() <= kLinesInText) {
        text = list.join(QLatin1Char('\n'));
    } else {
        text = Texts::counts(found.count, ambiguous.count, notFound.count, outside.count,
                             already.count);
        details = list.join(QLatin1Char('\n'));
    }
    if (newTextOf.isEmpty()) {
        m_dialogs.inform(text, details);
        return;
    }
    text += QStringLiteral("\n\n") + Texts::update(newTextOf.size());
    if (m_dialogs.ask(text, MessageButtons::YesNo, MessageAnswer::Yes, details) !=
        MessageAnswer::Yes)
        return;
    runAsOneStep([&] { m_document.rewriteMovedEntries(newTextOf); });
}
