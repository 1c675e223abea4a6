#include "playlist/playlist_edit.h"

#include <algorithm>

void PlaylistEdit::addInserted(QList<int> rows) {
    if (rows.isEmpty())
        return;
    if (m_parts.empty() || m_parts.back().kind != Part::Kind::Inserted) {
        m_parts.push_back({Part::Kind::Inserted, std::move(rows), {}, {}, {}, {}, {}});
        return;
    }
    // The earlier rows shift down past each of the new ones: walk the rows
    // after both inserts, skipping those the new insert took.
    const QList<int>& earlier = m_parts.back().rows;
    QList<int> merged;
    merged.reserve(earlier.size() + rows.size());
    qsizetype e = 0;
    qsizetype n = 0;
    int row = 0;    // row after both inserts
    int oldRow = 0; // the same row counted without the new insert's rows
    while (e < earlier.size() || n < rows.size()) {
        if (n < rows.size() && rows[n] == row) {
            merged.append(row);
            ++n;
        } else {
            if (e < earlier.size() && earlier[e] == oldRow) {
                merged.append(row);
                ++e;
            } else if (e < earlier.size() && n < rows.size()) {
                // Jump to whichever comes next.
                const int gap = std::min(earlier[e] - oldRow, rows[n] - row);
                row += gap;
                oldRow += gap;
                continue;
            } else if (e < earlier.size()) {
                row += earlier[e] - oldRow;
                oldRow = earlier[e];
                continue;
            } else {
                row = rows[n];
                continue;
            }
            ++oldRow;
        }
        ++row;
    }
    m_parts.back().rows = std::move(merged);
}

int PlaylistEdit::count(Part::Kind kind) const {
    qsizetype total = 0;
    for (const Part& part : m_parts) {
        if (part.kind == kind)
            total += part.rows.size();
    }
    return static_cast<int>(total);
}
