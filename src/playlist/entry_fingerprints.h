#pragma once

#include <QHash>
#include <QString>

#include <vector>

// The duplicate test's first look: a 32-bit fingerprint of each entry's
// identity key in an open table, four bytes a slot, where a map from keys
// to counts held a copy of every key and a node for it (some 46 bytes an
// entry, almost half a big playlist's file again). A fingerprint that is not
// there means no such entry; one that is there is only a hint, which the
// entries themselves confirm. Keys may be held more than once: a
// fingerprint takes one slot however often it is held, and the extra copies
// are counted beside the table, so a playlist of one entry repeated many
// times costs no long runs of slots.
class EntryFingerprints {
public:
    void add(const QString& key);
    // Takes one of the key's fingerprints out; nothing when there is none.
    void remove(const QString& key);
    bool mayContain(const QString& key) const;
    void clear();
    // Room for `count` keys in all, so that adding them grows nothing.
    void reserve(qsizetype count);
    qsizetype size() const { return m_size; }

private:
    static quint32 fingerprint(const QString& key);
    qsizetype find(quint32 print) const;
    // Puts a fingerprint that is not in the table into a free slot.
    void place(quint32 print);
    void resize(size_t size);

    // Zero marks a free slot; a fingerprint is never zero. The size is a
    // power of two, and at most half the slots are taken.
    std::vector<quint32> m_slots;
    // Slots taken: each fingerprint once.
    qsizetype m_taken = 0;
    // Fingerprints held more than once: how many times more.
    QHash<quint32, qsizetype> m_extra;
    // Keys held, copies included.
    qsizetype m_size = 0;
};
