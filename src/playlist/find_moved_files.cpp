#include "playlist/find_moved_files.h"

#include "platform/dialogs.h"
#include "platform/escaped_bytes.h"
#include "platform/file_system.h"
#include "playlist/all_files_listing.h"
#include "playlist/playlist_document.h"

#include <QCoreApplication>
#include <QLocale>

#include <algorithm>
#include <tuple>
#include <utility>

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
        return tr("and %Ln more", nullptr, static_cast<int>(count));
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
        return tr("Update %Ln Entries?", nullptr, static_cast<int>(count));
    }
    static QString noneMissing() { return tr("No entry of the playlist is missing."); }
    static QString listing(const QString& folder, qint64 found) {
        return tr("Listing the files in %1: %2 found").arg(folder, QLocale().toString(found));
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

// One kind of outcome: its heading and up to kMostListed lines.
struct FindMovedFiles::Section {
    QString heading;
    QStringList lines;
    qsizetype count = 0;

    // The line is made only when it is listed.
    template <typename Line> void add(Line line) {
        if (++count <= FindMovedFiles::kMostListed)
            lines.append(QStringLiteral("  ") + line());
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

// What Yes would do: the new text of each entry that is updated, and every
// outcome listed.
struct FindMovedFiles::Plan {
    std::vector<MovedEntry> updates;
    Section found{Texts::found(), {}, 0};
    Section ambiguous{Texts::ambiguous(), {}, 0};
    Section notFound{Texts::notFound(), {}, 0};
    Section outside{Texts::outsideRoot(), {}, 0};
    Section already{Texts::alreadyThere(), {}, 0};
};

FindMovedFiles::FindMovedFiles(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs,
                               QString folder, AsOneStep asOneStep, QObject* parent)
    : MissingEntriesWork(document, fs, dialogs, std::move(asOneStep), parent)
    , m_folder(std::move(folder)) {}

FindMovedFiles::~FindMovedFiles() {
    stopWorker();
    freeElsewhere(std::make_tuple(std::move(m_moves), std::move(m_plan), std::move(m_rewritten)));
}

QString FindMovedFiles::listingText(qint64 found) const {
    return Texts::listing(m_folder, found);
}

void FindMovedFiles::work() {
    const PathRules& rules = m_fs.rules();
    // The entries are looked at while the files are listed: both mostly wait
    // for the disk. What the playlist holds is indexed meanwhile too, and the
    // path each missing entry named is worked out.
    bool looked = false;
    bool listed = false;
    OrderedEntries held;
    FileNameIndex index(rules);
    alongside(
        [&] {
            looked = lookAgain(false);
            if (!looked)
                return;
            held = OrderedEntries(rules, m_looked, OrderedEntries::InOrder{});
            m_moves.reserve(static_cast<size_t>(m_missingCount));
            for (qsizetype row = 0; row < m_looked.size(); ++row) {
                if (!m_missing[static_cast<size_t>(row)])
                    continue;
                const QString& text = m_looked.at(row).text;
                std::optional<QString> oldPath = entryFilePath(rules, m_root, text);
                m_moves.push_back(
                    {row, oldPath.value_or(text), oldPath.has_value(), {}, {}, false});
            }
        },
        [&] {
            enterPhase(Phase::Listing, 0);
            AllFilesListing listing(m_fs);
            listed = listing.run(
                m_folder,
                [&](const QString& folder, const QString& name) {
                    index.add(folder, name);
                    advance();
                    return !isCancelled();
                },
                [this] { return !isCancelled(); });
            m_skipped = listing.skipped();
            m_unstorable = listing.unstorable();
        });
    if (!looked || !listed || m_moves.empty())
        return;

    enterPhase(Phase::Matching, m_missingCount);
    const auto inPlaylist = [&](const QString& text) { return held.contains(text); };
    const auto find = [&](Move& move) {
        move.found = findMovedFile(index, move.oldPath);
        if (move.found.kind == MovedFile::Kind::Found)
            judge(move, m_root, inPlaylist);
    };
    // Each half of the moves on a thread of its own: the index and the
    // entries held are only read.
    const auto match = [&](size_t from, size_t to) {
        constexpr size_t kStep = 512;
        for (size_t step = from; step < to && !isCancelled(); step += kStep) {
            const size_t end = std::min(to, step + kStep);
            for (size_t at = step; at < end; ++at) {
                if (m_moves[at].hasPath)
                    find(m_moves[at]);
            }
            advance(static_cast<qint64>(end - step));
        }
    };
    const size_t half = m_moves.size() / 2;
    alongside([&] { match(0, half); }, [&] { match(half, m_moves.size()); });
    // Names that differ in letter case only are indexed when some entry
    // needs them.
    std::vector<size_t> again;
    for (size_t at = 0; at < m_moves.size(); ++at) {
        if (m_moves[at].hasPath && m_moves[at].found.kind == MovedFile::Kind::NotFound)
            again.push_back(at);
    }
    if (!again.empty()) {
        index.foldNames();
        for (size_t at = 0; at < again.size() && !isCancelled(); ++at)
            find(m_moves[again[at]]);
    }
    if (isCancelled())
        return;
    // Judged against the entries looked at: when the playlist is still the
    // same at the end, the window's thread has nothing left to work out.
    m_fileCount = index.size();
    m_plan = std::make_unique<Plan>(makePlan());
    // Rewriting, sorting and indexing a long list here leaves the window's
    // thread only the swap.
    if (!m_plan->updates.empty())
        m_rewritten = RewrittenEntries(m_document.rules(), m_looked, m_missing, m_plan->updates);
}

void FindMovedFiles::judge(Move& move, const QString& root,
                           const std::function<bool(const QString&)>& inPlaylist) const {
    move.entry = PlaylistDocument::entryForPath(m_fs.rules(), root, move.found.paths.first());
    move.listed = move.entry && inPlaylist(*move.entry);
}

FindMovedFiles::Plan FindMovedFiles::makePlan() const {
    Plan plan;
    // Each found file goes to one entry: two entries made one would lose one.
    std::vector<char> taken(static_cast<size_t>(m_fileCount), 0);
    plan.updates.reserve(m_moves.size());
    for (const Move& move : m_moves) {
        const QString& oldText = m_looked.at(move.row).text;
        // The same entry twice (they lie side by side): both go where the
        // first goes.
        if (!plan.updates.empty() && plan.updates.back().row == move.row - 1 &&
            plan.updates.back().oldText == oldText) {
            plan.updates.push_back({move.row, oldText, plan.updates.back().newText});
            continue;
        }
        switch (move.found.kind) {
        case MovedFile::Kind::NotFound:
            plan.notFound.add([&] { return shown(move.oldPath); });
            break;
        case MovedFile::Kind::Ambiguous:
            plan.ambiguous.add([&] {
                QString line = shown(move.oldPath);
                for (const QString& candidate : move.found.paths)
                    line += QStringLiteral("\n    ") + shown(candidate);
                return line;
            });
            break;
        case MovedFile::Kind::Found: {
            const QString& newPath = move.found.paths.first();
            if (!move.entry) {
                plan.outside.add([&] { return arrow(move.oldPath, newPath); });
            } else if (taken[static_cast<size_t>(move.found.file)] || move.listed) {
                plan.already.add([&] { return arrow(move.oldPath, newPath); });
            } else {
                taken[static_cast<size_t>(move.found.file)] = 1;
                plan.updates.push_back({move.row, oldText, *move.entry});
                plan.found.add([&] { return arrow(move.oldPath, newPath); });
            }
            break;
        }
        }
    }
    return plan;
}

void FindMovedFiles::conclude() {
    const bool unchanged = unchangedSinceLook();
    const int missing = markMissing();
    // The entries as the look marked them, which is what the rewrite was made
    // from while they are unchanged.
    const QList<PlaylistEntry> marked = m_document.allEntries();
    if (!m_skipped.folders.isEmpty())
        m_dialogs.warn(m_skipped.message());
    m_unstorable.report(m_dialogs);
    if (m_moves.empty()) {
        if (missing == 0)
            m_dialogs.inform(Texts::noneMissing());
        return;
    }
    // The playlist changed while the files were looked for: what each found
    // file would become is judged against it as it stands now.
    if (!unchanged || !m_plan) {
        m_rewritten = RewrittenEntries();
        PlaylistModel* model = m_document.model();
        const auto inPlaylist = [model](const QString& text) { return model->contains(text); };
        for (Move& move : m_moves) {
            if (move.found.kind == MovedFile::Kind::Found)
                judge(move, m_document.rootPath(), inPlaylist);
        }
        m_plan = std::make_unique<Plan>(makePlan());
    }
    const Plan& plan = *m_plan;

    QStringList list;
    for (const Section* section :
         {&plan.found, &plan.ambiguous, &plan.notFound, &plan.outside, &plan.already})
        section->appendTo(list);
    QString text;
    QString details;
    if (list.size() <= kLinesInText) {
        text = list.join(QLatin1Char('\n'));
    } else {
        text = Texts::counts(plan.found.count, plan.ambiguous.count, plan.notFound.count,
                             plan.outside.count, plan.already.count);
        details = list.join(QLatin1Char('\n'));
    }
    if (plan.updates.empty()) {
        m_dialogs.inform(text, details);
        return;
    }
    text += QStringLiteral("\n\n") + Texts::update(static_cast<qsizetype>(plan.updates.size()));
    if (m_dialogs.ask(text, MessageButtons::YesNo, MessageAnswer::Yes, details) !=
        MessageAnswer::Yes)
        return;
    // The question lets the window run: the playlist may change before the
    // answer, and then the rewrite is made again from the entries as they
    // stand.
    runAsOneStep([&] {
        m_document.rewriteMovedEntries(plan.updates, std::exchange(m_rewritten, {}), marked);
    });
}
