#include "playlist/playlist_model.h"

#include "platform/escaped_bytes.h"
#include "playlist/moved_files.h"

#include <QSet>

#include <algorithm>
#include <numeric>
#include <utility>

namespace {

// `index` made afresh for `entries`.
void indexAll(EntryFingerprints& index, const PathRules& rules,
              const QList<PlaylistEntry>& entries) {
    index.clear();
    index.reserve(entries.size());
    for (const PlaylistEntry& entry : entries)
        index.add(rules.identityKey(entry.text));
}

// Moves the rows appended after the first `oldCount` to their places: new
// row k goes before old row before[k] (before is ascending).
template <typename T> void mergeInOrder(QList<T>& rows, int oldCount, const QList<int>& before) {
    QList<T> merged;
    merged.reserve(rows.size());
    int row = 0;
    for (qsizetype k = 0; k < before.size(); ++k) {
        for (; row < before[k]; ++row)
            merged.append(std::move(rows[row]));
        merged.append(std::move(rows[oldCount + k]));
    }
    for (; row < oldCount; ++row)
        merged.append(std::move(rows[row]));
    rows.swap(merged);
}

// Below this many waiting entries a flush inserts them one by one; above it
// they are merged into the list and views see one layout change.
constexpr qsizetype kMergeThreshold = 32;

// A stream of adds is merged once the waiting entries are this share of the
// list (1/kMergeShare), and not before this many: the first entries of a
// walk show at once, later merges grow geometrically.
constexpr qsizetype kMergeShare = 2;
constexpr qsizetype kSmallestMerge = 256;

bool lessEntry(const PlaylistEntry& a, const PlaylistEntry& b) {
    return PathRules::lessForPlaylist(a.text, b.text);
}

// The rows of `entries` in playlist order, equal ones keeping theirs:
// order[new row] = old row.
QList<int> playlistOrder(const QList<PlaylistEntry>& entries) {
    QList<int> order(entries.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&entries](int a, int b) { return lessEntry(entries.at(a), entries.at(b)); });
    return order;
}

// Puts `entries` in playlist order, equal ones keeping theirs, and returns
// where each went (rowOf[old row] = new row). The entries are moved into a
// new list in its order: a walk of one memory access after another, where
// moving them round in place would wait on each in turn.
QList<int> putInOrder(QList<PlaylistEntry>& entries) {
    const QList<int> order = playlistOrder(entries);
    QList<PlaylistEntry> sorted;
    sorted.reserve(entries.size());
    QList<int> rowOf(entries.size());
    for (int row = 0; row < static_cast<int>(order.size()); ++row) {
        sorted.append(std::move(entries[order[row]]));
        rowOf[order[row]] = row;
    }
    entries.swap(sorted);
    return rowOf;
}

// Whether the ordered `entries` hold one the path rules take for `text`:
// what settles a hit of the fingerprints.
bool holdsEntry(const PathRules& rules, const QList<PlaylistEntry>& entries, const QString& text) {
    // The list is in order, and entries the path rules take for the same are
    // equal ignoring case: they stand together, from the first not below it.
    auto at = std::lower_bound(entries.cbegin(), entries.cend(), text,
                               [](const PlaylistEntry& entry, const QString& t) {
                                   return entry.text.compare(t, Qt::CaseInsensitive) < 0;
                               });
    for (; at != entries.cend() && at->text.compare(text, Qt::CaseInsensitive) == 0; ++at) {
        if (rules.samePath(at->text, text))
            return true;
    }
    return false;
}

} // namespace

OrderedEntries::OrderedEntries(const PathRules& rules, QList<PlaylistEntry> entries)
    : m_rules(rules)
    , m_entries(std::move(entries)) {
    // Equal entries keep their order, as one add after another places them.
    // A list saved here arrives in order already. The entries move round in
    // place, so the sort holds no second list of a big playlist beside the
    // first.
    if (!std::is_sorted(m_entries.cbegin(), m_entries.cend(), lessEntry)) {
        QList<int> order = playlistOrder(m_entries);
        // Row k takes the entry of row order[k], one cycle at a time.
        for (int start = 0; start < static_cast<int>(order.size()); ++start) {
            if (order[start] == start)
                continue;
            PlaylistEntry held = std::move(m_entries[start]);
            for (int to = start;;) {
                const int from = std::exchange(order[to], to);
                if (from == start) {
                    m_entries[to] = std::move(held);
                    break;
                }
                m_entries[to] = std::move(m_entries[from]);
                to = from;
            }
        }
    }
    indexAll(m_index, m_rules, m_entries);
}

bool OrderedEntries::contains(const QString& text) const {
    return m_index.mayContain(m_rules.identityKey(text)) && holdsEntry(m_rules, m_entries, text);
}

OrderedEntries::OrderedEntries(const PathRules& rules, QList<PlaylistEntry> entries, InOrder)
    : m_rules(rules)
    , m_entries(std::move(entries)) {
    indexAll(m_index, m_rules, m_entries);
}

void OrderedEntries::removeMissing() {
    m_entries.removeIf([this](const PlaylistEntry& entry) {
        if (!entry.missing)
            return false;
        m_index.remove(m_rules.identityKey(entry.text));
        return true;
    });
}

RewrittenEntries::RewrittenEntries(const PathRules& rules, const QList<PlaylistEntry>& looked,
                                   const std::vector<char>& missing,
                                   const std::vector<MovedEntry>& moved) {
    QList<PlaylistEntry> entries;
    entries.reserve(looked.size());
    const bool marks = missing.size() == static_cast<size_t>(looked.size());
    for (qsizetype row = 0; row < looked.size(); ++row) {
        entries.append(looked.at(row));
        if (marks)
            entries.last().missing = missing[static_cast<size_t>(row)] != 0;
    }
    for (const MovedEntry& m : moved) {
        PlaylistEntry& entry = entries[m.row];
        entry.text = m.newText;
        entry.missing = false;
    }
    m_rewritten = static_cast<int>(moved.size());
    // Put in order as restoreOrder() would, equal entries keeping theirs. A
    // library that moved as a whole mostly keeps its order as it is.
    if (!std::is_sorted(entries.cbegin(), entries.cend(), lessEntry))
        m_rowOf = putInOrder(entries);
    m_ordered = OrderedEntries(rules, std::move(entries), OrderedEntries::InOrder{});
}

RemainingEntries::RemainingEntries(const PathRules& rules, const QList<PlaylistEntry>& looked,
                                   const std::vector<char>& removed) {
    if (removed.size() != static_cast<size_t>(looked.size()))
        return;
    QList<PlaylistEntry> kept;
    kept.reserve(looked.size());
    for (qsizetype row = 0; row < looked.size(); ++row) {
        // Marked as a look marks them first.
        PlaylistEntry entry = looked.at(row);
        entry.missing = removed[static_cast<size_t>(row)] != 0;
        if (entry.missing) {
            m_rows.append(static_cast<int>(row));
            m_removed.append(std::move(entry));
        } else {
            kept.append(std::move(entry));
        }
    }
    m_kept = OrderedEntries(rules, std::move(kept));
}

PlaylistModel::PlaylistModel(PathRules rules, QObject* parent)
    : QAbstractListModel(parent)
    , m_rules(rules) {}

int PlaylistModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

QVariant PlaylistModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count())
        return {};
    const QString& text = m_entries.at(index.row()).text;
    const QStringList& directives = m_entries.at(index.row()).directives;
    // Lines that are not UTF-8 hold escapes: the user sees them as
    // Windows-1252 text.
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return EscapedBytes::forDisplay(text);
    case Qt::ToolTipRole: {
        // The entry as its file has it: its directive lines, then itself.
        QString tip;
        for (const QString& line : directives)
            tip += EscapedBytes::forDisplay(line) + QLatin1Char('\n');
        tip += EscapedBytes::forDisplay(text);
        if (m_entries.at(index.row()).missing) {
            const QString path = entryFilePath(m_rules, m_root, text).value_or(text);
            tip += QLatin1Char('\n') + tr("Not found: %1").arg(EscapedBytes::forDisplay(path));
        }
        return tip;
    }
    case DirectivesRole:
        return directives;
    case MissingRole:
        return m_entries.at(index.row()).missing;
    default:
        return {};
    }
}

Qt::ItemFlags PlaylistModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
}

QStringList PlaylistModel::entries() const {
    QStringList texts;
    texts.reserve(m_entries.size());
    for (const PlaylistEntry& entry : m_entries)
        texts.append(entry.text);
    return texts;
}

QList<QStringList> PlaylistModel::directives() const {
    QList<QStringList> lines;
    lines.reserve(m_entries.size());
    for (const PlaylistEntry& entry : m_entries)
        lines.append(entry.directives);
    return lines;
}

bool PlaylistModel::contains(const QString& text) const {
    // The index holds the waiting entries too.
    if (!m_index.mayContain(m_rules.identityKey(text)))
        return false;
    if (holdsEntry(m_rules, m_entries, text))
        return true;
    return std::any_of(m_pending.cbegin(), m_pending.cend(), [&](const PlaylistEntry& entry) {
        return m_rules.samePath(entry.text, text);
    });
}

int PlaylistModel::missingCount() const {
    return static_cast<int>(
        std::count_if(m_entries.cbegin(), m_entries.cend(),
                      [](const PlaylistEntry& entry) { return entry.missing; }));
}

QList<int> PlaylistModel::missingRows() const {
    QList<int> rows;
    for (int row = 0; row < count(); ++row) {
        if (m_entries.at(row).missing)
            rows.append(row);
    }
    return rows;
}

int PlaylistModel::markMissing(const QList<PlaylistEntry>& looked, const std::vector<char>& missing,
                               const QSet<QString>& missingTexts) {
    flushPending();
    bool changed = false;
    const auto mark = [&changed](PlaylistEntry& entry, bool isMissing) {
        if (entry.missing == isMissing)
            return;
        entry.missing = isMissing;
        changed = true;
    };
    // Nothing changed since the look: the lists still share their data, and
    // row for row needs no lookup.
    if (looked.constData() == m_entries.constData() && looked.size() == m_entries.size() &&
        missing.size() == static_cast<size_t>(looked.size())) {
        for (qsizetype row = 0; row < m_entries.size(); ++row) {
            if (m_entries.at(row).missing != (missing[row] != 0))
                mark(m_entries[row], missing[row] != 0);
        }
    } else {
        for (qsizetype row = 0; row < m_entries.size(); ++row) {
            const bool isMissing = missingTexts.contains(m_entries.at(row).text);
            if (m_entries.at(row).missing != isMissing)
                mark(m_entries[row], isMissing);
        }
    }
    if (changed)
        Q_EMIT dataChanged(index(0), index(count() - 1), {MissingRole, Qt::ToolTipRole});
    return missingCount();
}

int PlaylistModel::rewriteMoved(const std::vector<MovedEntry>& moved) {
    flushPending();
    int rewritten = 0;
    int first = count();
    int last = -1;
    // Many keys change: the index is built afresh afterwards, which is faster
    // than taking each out and putting it in again.
    const bool rebuild = static_cast<qsizetype>(moved.size()) > count() / 8;
    const auto rewrite = [&](int row, const QString& newText) {
        PlaylistEntry& entry = m_entries[row];
        if (!rebuild)
            removeFromIndex(entry.text);
        entry.text = newText;
        entry.missing = false;
        if (!rebuild)
            addToIndex(entry.text);
        ++rewritten;
        first = std::min(first, row);
        last = std::max(last, row);
    };
    const bool rowsHold = std::all_of(moved.cbegin(), moved.cend(), [this](const MovedEntry& m) {
        return m.row < count() && m_entries.at(m.row).text == m.oldText;
    });
    if (rowsHold) {
        for (const MovedEntry& m : moved)
            rewrite(static_cast<int>(m.row), m.newText);
    } else {
        // The list changed meanwhile: each entry is found by its text.
        QHash<QString, QString> newTextOf;
        newTextOf.reserve(static_cast<qsizetype>(moved.size()));
        for (const MovedEntry& m : moved)
            newTextOf.insert(m.oldText, m.newText);
        for (int row = 0; row < count(); ++row) {
            const auto to = newTextOf.constFind(m_entries.at(row).text);
            if (to != newTextOf.cend())
                rewrite(row, *to);
        }
    }
    if (rewritten == 0)
        return 0;
    if (rebuild)
        indexAll(m_index, m_rules, m_entries);
    Q_EMIT dataChanged(index(first), index(last));
    restoreOrder();
    return rewritten;
}

int PlaylistModel::takeRewritten(RewrittenEntries rewritten) {
    flushPending();
    if (rewritten.isEmpty() || rewritten.m_ordered.m_entries.size() != m_entries.size())
        return 0;
    // In the same order, each row keeps its place: only the texts changed, as
    // for views.
    if (rewritten.m_rowOf.isEmpty()) {
        m_entries = std::move(rewritten.m_ordered.m_entries);
        m_index = std::move(rewritten.m_ordered.m_index);
        Q_EMIT dataChanged(index(0), index(count() - 1));
        return rewritten.m_rewritten;
    }
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    m_entries = std::move(rewritten.m_ordered.m_entries);
    m_index = std::move(rewritten.m_ordered.m_index);
    followMovedRows(rewritten.m_rowOf);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    Q_EMIT dataChanged(index(0), index(count() - 1));
    return rewritten.m_rewritten;
}

int PlaylistModel::takeRemaining(RemainingEntries remaining) {
    flushPending();
    const QList<int>& rows = remaining.m_rows;
    if (rows.isEmpty() || remaining.m_kept.m_entries.size() + rows.size() != m_entries.size())
        return 0;
    // As removeSortedRows() tells views of it.
    const bool oneRun = rows.back() - rows.front() + 1 == rows.size();
    if (oneRun)
        beginRemoveRows(QModelIndex(), rows.front(), rows.back());
    else
        Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    m_entries = std::move(remaining.m_kept.m_entries);
    m_index = std::move(remaining.m_kept.m_index);
    if (oneRun) {
        endRemoveRows();
    } else {
        const QModelIndexList persistent = persistentIndexList();
        QModelIndexList moved;
        moved.reserve(persistent.size());
        for (const QModelIndex& at : persistent) {
            // Up by the rows removed before it.
            const auto removed = std::lower_bound(rows.cbegin(), rows.cend(), at.row());
            moved.append(removed != rows.cend() && *removed == at.row()
                             ? QModelIndex()
                             : index(at.row() - static_cast<int>(removed - rows.cbegin())));
        }
        changePersistentIndexList(persistent, moved);
        Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    }
    recordRemoved(rows, remaining.m_removed);
    return static_cast<int>(rows.size());
}

void PlaylistModel::recordRemoved(const QList<int>& rows, const QList<PlaylistEntry>& entries) {
    if (!m_recording || rows.isEmpty())
        return;
    PlaylistEdit::Part part;
    part.kind = PlaylistEdit::Part::Kind::Removed;
    part.rows = rows;
    part.entries = entries;
    m_recording->m_parts.push_back(std::move(part));
}

void PlaylistModel::addToIndex(const QString& text) {
    m_index.add(m_rules.identityKey(text));
}

void PlaylistModel::removeFromIndex(const QString& text) {
    m_index.remove(m_rules.identityKey(text));
}

void PlaylistModel::insertSorted(const QString& text, const QStringList& directives, bool missing) {
    addToIndex(text);
    if (m_batchDepth > 0) {
        m_pending.append({text, directives, missing});
        return;
    }
    const auto at = std::upper_bound(m_entries.cbegin(), m_entries.cend(), text,
                                     [](const QString& t, const PlaylistEntry& e) {
                                         return PathRules::lessForPlaylist(t, e.text);
                                     });
    const int row = static_cast<int>(at - m_entries.cbegin());
    beginInsertRows(QModelIndex(), row, row);
    m_entries.insert(row, {text, directives, missing});
    endInsertRows();
    if (m_recording)
        m_recording->addInserted({row});
}

void PlaylistModel::beginBatch() {
    ++m_batchDepth;
}

void PlaylistModel::endBatch() {
    if (m_batchDepth > 0)
        --m_batchDepth;
}

bool PlaylistModel::mergeIsDue() const {
    return m_pending.size() >= std::max(kSmallestMerge, count() / kMergeShare);
}

void PlaylistModel::sortPendingRuns() {
    // The entries added since the last call become a sorted run; runs of
    // like size are merged, as a binary counter carries, so each entry takes
    // part in few merges and no call sorts much more than it added.
    const qsizetype start = m_pendingRuns.isEmpty() ? 0 : m_pendingRuns.last();
    if (start == m_pending.size())
        return;
    std::stable_sort(m_pending.begin() + start, m_pending.end(), lessEntry);
    m_pendingRuns.append(m_pending.size());
    while (m_pendingRuns.size() >= 2) {
        const qsizetype last = m_pendingRuns.size() - 1;
        const qsizetype from = last >= 2 ? m_pendingRuns[last - 2] : 0;
        const qsizetype middle = m_pendingRuns[last - 1];
        const qsizetype end = m_pendingRuns[last];
        if (middle - from > 2 * (end - middle))
            break;
        std::inplace_merge(m_pending.begin() + from, m_pending.begin() + middle,
                           m_pending.begin() + end, lessEntry);
        m_pendingRuns.remove(last - 1);
    }
}

void PlaylistModel::reserve(qsizetype count) {
    m_index.reserve(m_index.size() + count);
    m_pending.reserve(m_pending.size() + count);
}

void PlaylistModel::flushPending() {
    if (m_pending.isEmpty())
        return;
    QList<PlaylistEntry> pending;
    if (m_pendingRuns.isEmpty()) {
        pending.swap(m_pending);
        // A playlist read from a file mostly arrives in order already.
        if (!std::is_sorted(pending.cbegin(), pending.cend(), lessEntry))
            std::stable_sort(pending.begin(), pending.end(), lessEntry);
    } else {
        // Sorted runs, each at most about half the one before: merging them
        // from the last costs about as much as the entries they hold.
        sortPendingRuns();
        for (qsizetype run = m_pendingRuns.size() - 2; run >= 0; --run) {
            const qsizetype from = run > 0 ? m_pendingRuns[run - 1] : 0;
            std::inplace_merge(m_pending.begin() + from, m_pending.begin() + m_pendingRuns[run],
                               m_pending.end(), lessEntry);
        }
        m_pendingRuns.clear();
        pending.swap(m_pending);
    }

    if (pending.size() < kMergeThreshold) {
        const int depth = std::exchange(m_batchDepth, 0);
        for (const PlaylistEntry& entry : pending) {
            removeFromIndex(entry.text); // insertSorted counts it again
            insertSorted(entry.text, entry.directives, entry.missing);
        }
        m_batchDepth = depth;
        return;
    }
    mergePending(std::move(pending));
}

void PlaylistModel::mergePending(QList<PlaylistEntry> pending) {
    // Many at once. Where each goes is found by binary search, each search
    // starting where the last ended, so a flush costs few comparisons however
    // long the list; the moves are cheap.
    const int oldCount = count();
    const int added = static_cast<int>(pending.size());
    QList<int> before(added); // pending[k] goes before old row before[k]
    const auto textLess = [](const QString& t, const PlaylistEntry& e) {
        return PathRules::lessForPlaylist(t, e.text);
    };
    const auto end = m_entries.cend();
    auto from = m_entries.cbegin();
    for (int k = 0; k < added; ++k) {
        // Galloping from where the last one went: the search costs the
        // logarithm of the distance, so many entries spread over a long list
        // cost about one comparison per row passed.
        const QString& text = pending[k].text;
        auto low = from;
        qsizetype step = 1;
        while (end - low > step && !textLess(text, low[step - 1])) {
            low += step;
            step *= 2;
        }
        // upper_bound: after entries that compare equal, as a single add would.
        from = std::upper_bound(low, low + std::min(step, qsizetype(end - low)), text, textLess);
        before[k] = static_cast<int>(from - m_entries.cbegin());
    }

    beginInsertRows(QModelIndex(), oldCount, oldCount + added - 1);
    m_entries.reserve(oldCount + added);
    for (PlaylistEntry& entry : pending)
        m_entries.append(std::move(entry));
    pending.clear();
    endInsertRows();
    moveAppendedInPlace(oldCount, before);
    if (m_recording) {
        QList<int> rows(added);
        for (int k = 0; k < added; ++k)
            rows[k] = before[k] + k;
        m_recording->addInserted(std::move(rows));
    }
}

void PlaylistModel::moveAppendedInPlace(int oldCount, const QList<int>& before) {
    // Views see the new rows appended, then every row moved to its sorted
    // place in one layout change. They follow their rows through it, so the
    // user's selection and scroll position survive, which a model reset would
    // throw away each time the folder walk lets events run.
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    mergeInOrder(m_entries, oldCount, before);

    const QModelIndexList persistent = persistentIndexList();
    QModelIndexList moved;
    moved.reserve(persistent.size());
    for (const QModelIndex& at : persistent) {
        const int old = at.row();
        // An old row moves down by the new rows placed before it; new row k
        // follows the before[k] old rows and the k new rows ahead of it.
        const int newRow =
            old < oldCount
                ? old + static_cast<int>(std::upper_bound(before.cbegin(), before.cend(), old) -
                                         before.cbegin())
                : before[old - oldCount] + (old - oldCount);
        moved.append(index(newRow));
    }
    changePersistentIndexList(persistent, moved);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void PlaylistModel::restoreOrder() {
    if (std::is_sorted(m_entries.cbegin(), m_entries.cend(), lessEntry))
        return;
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    followMovedRows(putInOrder(m_entries));
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void PlaylistModel::followMovedRows(const QList<int>& rowOf) {
    const QModelIndexList persistent = persistentIndexList();
    QModelIndexList moved;
    moved.reserve(persistent.size());
    for (const QModelIndex& at : persistent)
        moved.append(index(rowOf[at.row()]));
    changePersistentIndexList(persistent, moved);
}

QList<PlaylistEntry> PlaylistModel::removeEntries(QList<int> rows) {
    const int size = count();
    rows.removeIf([size](int row) { return row < 0 || row >= size; });
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    QList<PlaylistEntry> removed = removeSortedRows(rows);
    recordRemoved(rows, removed);
    return removed;
}

QList<PlaylistEntry> PlaylistModel::removeSortedRows(const QList<int>& rows) {
    QList<PlaylistEntry> removed;
    if (rows.isEmpty())
        return removed;
    const bool oneRun = rows.back() - rows.front() + 1 == rows.size();
    if (oneRun) {
        beginRemoveRows(QModelIndex(), rows.front(), rows.back());
    } else {
        // Scattered rows: removed run by run, every run would move the tail
        // of the list and make each view look at every row again. The list
        // is compacted in one pass instead, and views hear of it once.
        Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    }
    removed.reserve(rows.size());
    QList<int> newRowOf;
    if (!oneRun)
        newRowOf.resize(count());
    int kept = 0;
    qsizetype next = 0;
    for (int row = 0; row < count(); ++row) {
        if (next < rows.size() && rows[next] == row) {
            ++next;
            removeFromIndex(m_entries.at(row).text);
            removed.append(std::move(m_entries[row]));
            if (!oneRun)
                newRowOf[row] = -1;
            continue;
        }
        if (!oneRun)
            newRowOf[row] = kept;
        if (kept != row)
            m_entries[kept] = std::move(m_entries[row]);
        ++kept;
    }
    m_entries.resize(kept);
    if (oneRun) {
        endRemoveRows();
        return removed;
    }
    const QModelIndexList persistent = persistentIndexList();
    QModelIndexList moved;
    moved.reserve(persistent.size());
    for (const QModelIndex& at : persistent) {
        const int to = newRowOf.value(at.row(), -1);
        moved.append(to < 0 ? QModelIndex() : index(to));
    }
    changePersistentIndexList(persistent, moved);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    return removed;
}

void PlaylistModel::insertAtRows(const QList<int>& rows, QList<PlaylistEntry> entries) {
    if (rows.isEmpty())
        return;
    for (const PlaylistEntry& entry : entries)
        addToIndex(entry.text);
    const int oldCount = count();
    const int added = static_cast<int>(rows.size());
    if (rows.back() - rows.front() + 1 == added) {
        beginInsertRows(QModelIndex(), rows.front(), rows.back());
        m_entries.insert(rows.front(), added, PlaylistEntry());
        for (int k = 0; k < added; ++k)
            m_entries[rows.front() + k] = std::move(entries[k]);
        endInsertRows();
        return;
    }
    QList<int> before(added);
    for (int k = 0; k < added; ++k)
        before[k] = rows[k] - k;
    beginInsertRows(QModelIndex(), oldCount, oldCount + added - 1);
    m_entries.reserve(oldCount + added);
    for (PlaylistEntry& entry : entries)
        m_entries.append(std::move(entry));
    endInsertRows();
    moveAppendedInPlace(oldCount, before);
}

void PlaylistModel::replaceAll(QList<PlaylistEntry> entries) {
    beginResetModel();
    m_entries = std::move(entries);
    indexAll(m_index, m_rules, m_entries);
    endResetModel();
}

void PlaylistModel::replaceAll(OrderedEntries ordered) {
    beginResetModel();
    m_entries = std::move(ordered.m_entries);
    m_index = std::move(ordered.m_index);
    m_pending.clear();
    endResetModel();
}

void PlaylistModel::clear() {
    beginResetModel();
    m_entries.clear();
    m_pending.clear();
    m_pendingRuns.clear();
    m_index.clear();
    endResetModel();
}
