#include "playlist/playlist_model.h"

#include <algorithm>

namespace {

// Below this many waiting entries a flush inserts them one by one, so views
// keep their selection; above it the lists are merged and the views reset.
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
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole || role == Qt::AccessibleTextRole)
        return m_entries.at(index.row());
    return {};
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

void PlaylistModel::insertSorted(const QString& text) {
    addToIndex(text);
    if (m_batchDepth > 0) {
        m_pending.append(text);
        return;
    }
    const auto at =
        std::upper_bound(m_entries.cbegin(), m_entries.cend(), text, PathRules::lessForPlaylist);
    const int row = static_cast<int>(at - m_entries.cbegin());
    beginInsertRows(QModelIndex(), row, row);
    m_entries.insert(row, text);
    endInsertRows();
}

void PlaylistModel::beginBatch() {
    ++m_batchDepth;
}

void PlaylistModel::endBatch() {
    if (m_batchDepth > 0 && --m_batchDepth == 0)
        flushPending();
}

void PlaylistModel::flushPending() {
    if (m_pending.isEmpty())
        return;
    QStringList pending;
    pending.swap(m_pending);
    std::stable_sort(pending.begin(), pending.end(), PathRules::lessForPlaylist);

    if (pending.size() < kMergeThreshold) {
        const int depth = std::exchange(m_batchDepth, 0);
        for (const QString& text : pending) {
            removeFromIndex(text); // insertSorted counts it again
            insertSorted(text);
        }
        m_batchDepth = depth;
        return;
    }
    QStringList merged;
    merged.reserve(m_entries.size() + pending.size());
    // std::merge takes from the first range on ties: new entries follow the
    // equal ones already present, as a single insert would place them.
    std::merge(m_entries.cbegin(), m_entries.cend(), pending.cbegin(), pending.cend(),
               std::back_inserter(merged), PathRules::lessForPlaylist);
    beginResetModel();
    m_entries.swap(merged);
    endResetModel();
}

void PlaylistModel::replaceEntry(int row, const QString& text) {
    removeFromIndex(m_entries.at(row));
    m_entries[row] = text;
    addToIndex(text);
    const QModelIndex at = index(row);
    Q_EMIT dataChanged(at, at);
}

void PlaylistModel::removeEntries(QList<int> rows) {
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
        if (first < 0 || last >= count())
            continue;
        beginRemoveRows(QModelIndex(), first, last);
        for (int row = first; row <= last; ++row)
            removeFromIndex(m_entries.at(row));
        m_entries.remove(first, last - first + 1);
        endRemoveRows();
    }
}

void PlaylistModel::clear() {
    beginResetModel();
    m_entries.clear();
    m_pending.clear();
    m_index.clear();
    endResetModel();
}

void PlaylistModel::setRootPath(const QString& root) {
    m_rootPath = root;
    Q_EMIT rootPathChanged(m_rootPath);
}
