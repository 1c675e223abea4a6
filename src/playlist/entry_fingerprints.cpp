#include "playlist/entry_fingerprints.h"

#include <QHashFunctions>

#include <algorithm>
#include <bit>
#include <utility>

namespace {

constexpr size_t kSmallest = 16;

size_t slotsFor(qsizetype count) {
    return std::max(kSmallest, std::bit_ceil(static_cast<size_t>(count) * 2));
}

} // namespace

quint32 EntryFingerprints::fingerprint(const QString& key) {
    // A fixed seed: the table is rebuilt from its keys by no one.
    const size_t hash = qHash(QStringView(key), size_t(0));
    const auto print = static_cast<quint32>(hash ^ (hash >> 32));
    return print != 0 ? print : 1;
}

qsizetype EntryFingerprints::find(quint32 print) const {
    if (m_slots.empty())
        return -1;
    const size_t mask = m_slots.size() - 1;
    for (size_t at = print & mask; m_slots[at] != 0; at = (at + 1) & mask) {
        if (m_slots[at] == print)
            return static_cast<qsizetype>(at);
    }
    return -1;
}

void EntryFingerprints::insert(quint32 print) {
    const size_t mask = m_slots.size() - 1;
    size_t at = print & mask;
    while (m_slots[at] != 0)
        at = (at + 1) & mask;
    m_slots[at] = print;
    ++m_size;
}

void EntryFingerprints::resize(size_t size) {
    std::vector<quint32> old = std::exchange(m_slots, std::vector<quint32>(size, 0));
    m_size = 0;
    for (const quint32 print : old) {
        if (print != 0)
            insert(print);
    }
}

void EntryFingerprints::add(const QString& key) {
    if (static_cast<size_t>(m_size + 1) * 2 > m_slots.size())
        resize(slotsFor(m_size + 1));
    insert(fingerprint(key));
}

void EntryFingerprints::remove(const QString& key) {
    const qsizetype found = find(fingerprint(key));
    if (found < 0)
        return;
    // Those after it in its run move back over the hole where their own
    // slot allows, so that no look-up stops short of them.
    const size_t mask = m_slots.size() - 1;
    size_t hole = static_cast<size_t>(found);
    for (size_t at = (hole + 1) & mask; m_slots[at] != 0; at = (at + 1) & mask) {
        const size_t home = m_slots[at] & mask;
        if (((at - home) & mask) >= ((at - hole) & mask)) {
            m_slots[hole] = m_slots[at];
            hole = at;
        }
    }
    m_slots[hole] = 0;
    --m_size;
}

bool EntryFingerprints::mayContain(const QString& key) const {
    return find(fingerprint(key)) >= 0;
}

void EntryFingerprints::clear() {
    m_slots = {};
    m_size = 0;
}

void EntryFingerprints::reserve(qsizetype count) {
    if (slotsFor(count) > m_slots.size())
        resize(slotsFor(count));
}
