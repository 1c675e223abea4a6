#include "playlist/playlist_model.h"

#include "platform/escaped_bytes.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace {

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

} // namespace

PlaylistModel::PlaylistModel(PathRules rules, QObject* parent)
    : QAbstractListModel(parent)
    , m_rules(rules) {}

int PlaylistModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

QVariant PlaylistModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count())
        return {};
    const QString& text = m_entries.at(index.row());
    const QStringList& directives = m_directives.at(index.row());
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
        return tip + EscapedBytes::forDisplay(text);
    }
    case DirectivesRole:
        return directives;
    default:
        return {};
    }
}

Qt::ItemFlags PlaylistModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
}

bool PlaylistModel::contains(const QString& text) const {
    return m_index.contains(m_rules.identityKey(text));
}

void PlaylistModel::addToIndex(const QString& text) {
    ++m_index[m_rules.identityKey(text)];
}

void PlaylistModel::removeFromIndex(const QString& text) {
    const auto it = m_index.find(m_rules.identityKey(text));
    if (it == m_index.end())
        return;
    if (--it.value() <= 0)
        m_index.erase(it);
}

void PlaylistModel::insertSorted(const QString& text, const QStringList& directives) {
    addToIndex(text);
    if (m_batchDepth > 0) {
        m_pending.append({text, directives});
        return;
    }
    const auto at =
        std::upper_bound(m_entries.cbegin(), m_entries.cend(), text, PathRules::lessForPlaylist);
    const int row = static_cast<int>(at - m_entries.cbegin());
    beginInsertRows(QModelIndex(), row, row);
    m_entries.insert(row, text);
    m_directives.insert(row, directives);
    endInsertRows();
}

void PlaylistModel::beginBatch() {
    ++m_batchDepth;
}

void PlaylistModel::endBatch() {
    if (m_batchDepth > 0 && --m_batchDepth == 0)
        flushPending();
}

void PlaylistModel::reserve(qsizetype count) {
    m_index.reserve(m_index.size() + count);
    m_pending.reserve(m_pending.size() + count);
}

void PlaylistModel::flushPending() {
    if (m_pending.isEmpty())
        return;
    QList<Pending> pending;
    pending.swap(m_pending);
    const auto less = [](const Pending& a, const Pending& b) {
        return PathRules::lessForPlaylist(a.text, b.text);
    };
    // A playlist read from a file mostly arrives in order already.
    if (!std::is_sorted(pending.cbegin(), pending.cend(), less))
        std::stable_sort(pending.begin(), pending.end(), less);

    if (pending.size() < kMergeThreshold) {
        const int depth = std::exchange(m_batchDepth, 0);
        for (const Pending& entry : pending) {
            removeFromIndex(entry.text); // insertSorted counts it again
            insertSorted(entry.text, entry.directives);
        }
        m_batchDepth = depth;
        return;
    }
    mergePending(std::move(pending));
}

void PlaylistModel::mergePending(QList<Pending> pending) {
    // Many at once. Where each goes is found by binary search, each search
    // starting where the last ended, so a flush costs few comparisons however
    // long the list; the moves are cheap.
    const int oldCount = count();
    const int added = static_cast<int>(pending.size());
    QList<int> before(added); // pending[k] goes before old row before[k]
    auto from = m_entries.cbegin();
    for (int k = 0; k < added; ++k) {
        // upper_bound: after entries that compare equal, as a single add would.
        from =
            std::upper_bound(from, m_entries.cend(), pending[k].text, PathRules::lessForPlaylist);
        before[k] = static_cast<int>(from - m_entries.cbegin());
    }

    // Views see the new rows appended, then every row moved to its sorted
    // place in one layout change. They follow their rows through it, so the
    // user's selection and scroll position survive, which a model reset would
    // throw away each time the folder walk lets events run.
    beginInsertRows(QModelIndex(), oldCount, oldCount + added - 1);
    m_entries.reserve(oldCount + added);
    m_directives.reserve(oldCount + added);
    for (Pending& entry : pending) {
        m_entries.append(std::move(entry.text));
        m_directives.append(std::move(entry.directives));
    }
    pending.clear();
    endInsertRows();

    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    mergeInOrder(m_entries, oldCount, before);
    mergeInOrder(m_directives, oldCount, before);

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
    if (std::is_sorted(m_entries.cbegin(), m_entries.cend(), PathRules::lessForPlaylist))
        return;
    QList<int> order(count()); // order[newRow] = oldRow
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
        return PathRules::lessForPlaylist(m_entries.at(a), m_entries.at(b));
    });
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    QStringList entries;
    QList<QStringList> directives;
    entries.reserve(count());
    directives.reserve(count());
    QList<int> newRowOf(count());
    for (int row = 0; row < count(); ++row) {
        entries.append(std::move(m_entries[order[row]]));
        directives.append(std::move(m_directives[order[row]]));
        newRowOf[order[row]] = row;
    }
    m_entries.swap(entries);
    m_directives.swap(directives);
    const QModelIndexList persistent = persistentIndexList();
    QModelIndexList moved;
    moved.reserve(persistent.size());
    for (const QModelIndex& at : persistent)
        moved.append(index(newRowOf[at.row()]));
    changePersistentIndexList(persistent, moved);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void PlaylistModel::removeEntries(QList<int> rows) {
    const int size = count();
    rows.removeIf([size](int row) { return row < 0 || row >= size; });
    std::sort(rows.begin(), rows.end(), std::greater<>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    // Remove runs of neighbouring rows from the end towards the start, so the
    // rows not yet visited keep their positions.
    qsizetype i = 0;
    while (i < rows.size()) {
        const int last = rows[i];
        int first = last;
        while (i + 1 < rows.size() && rows[i + 1] == first - 1)
            first = rows[++i];
        ++i;
        beginRemoveRows(QModelIndex(), first, last);
        for (int row = first; row <= last; ++row)
            removeFromIndex(m_entries.at(row));
        m_entries.remove(first, last - first + 1);
        m_directives.remove(first, last - first + 1);
        endRemoveRows();
    }
}

void PlaylistModel::clear() {
    beginResetModel();
    m_entries.clear();
    m_directives.clear();
    m_pending.clear();
    m_index.clear();
    endResetModel();
}
