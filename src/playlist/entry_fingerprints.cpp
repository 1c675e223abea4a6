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

void EntryFingerprints::place(quint32 print) {
    const size_t mask = m_slots.size() - 1;
    size_t at = print & mask;
    while (m_slots[at] != 0)
        at = (at + 1) & mask;
    m_slots[at] = print;
    ++m_taken;
}

void EntryFingerprints::resize(size_t size) {
    std::vector<quint32> old = std::exchange(m_slots, std::vector<quint32>(size, 0));
    m_taken = 0;
    for (const quint32 print : old) {
        if (print != 0)
            place(print);
    }
}

void EntryFingerprints::add(const QString& key) {
    const quint32 print = fingerprint(key);
    ++m_size;
    if (find(print) >= 0) {
        ++m_extra[print];
        return;
    }
    if (static_cast<size_t>(m_taken + 1) * 2 > m_slots.size())
        resize(slotsFor(m_taken + 1));
    place(print);
}

void EntryFingerprints::remove(const QString& key) {
    const quint32 print = fingerprint(key);
    const qsizetype found = find(print);
    if (found < 0)
        return;
    --m_size;
    if (const auto extra = m_extra.find(print); extra != m_extra.end()) {
        if (--*extra == 0)
            m_extra.erase(extra);
        return;
    }
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
    --m_taken;
}

bool EntryFingerprints::mayContain(const QString& key) const {
    return find(fingerprint(key)) >= 0;
}

void EntryFingerprints::clear() {
    m_slots = {};
    m_extra.clear();
    m_taken = 0;
    m_size = 0;
}

void EntryFingerprints::reserve(qsizetype count) {
    if (slotsFor(count) > m_slots.size())
        resize(slotsFor(count));
}
