#include "filesystem/name_table.h"

#include <QHashFunctions>
#include <bit>

namespace {

constexpr size_t kSmallestTable = 16;

quint32 tagOf(size_t hash) {
    return static_cast<quint32>(hash >> 32);
}

}  // namespace

void NameTable::reserve(qsizetype count) {
    m_entries.reserve(static_cast<size_t>(count));
    const size_t wanted = std::bit_ceil(std::max(kSmallestTable, 2 * static_cast<size_t>(count)));
    while (m_slots.size() < wanted) {
        grow();
    }
}

qsizetype NameTable::slotOf(const QString& key, size_t hash) const {
    const size_t mask = m_slots.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = m_slots[i];
        if (slot.entry < 0 ||
            (slot.tag == tagOf(hash) && keyOf(m_entries[static_cast<size_t>(slot.entry)]) == key)) {
            return static_cast<qsizetype>(i);
        }
    }
}

const NameTable::Item* NameTable::find(const QString& key) const {
    if (m_slots.empty()) {
        return nullptr;
    }
    const Slot& slot = m_slots[static_cast<size_t>(slotOf(key, qHash(key)))];
    return slot.entry < 0 ? nullptr : &m_entries[static_cast<size_t>(slot.entry)].item;
}

std::pair<NameTable::Item*, bool> NameTable::insert(const QString& key, Item item) {
    if (2 * (m_entries.size() + 1) > m_slots.size()) {
        grow();
    }
    const size_t hash = qHash(key);
    Slot& slot = m_slots[static_cast<size_t>(slotOf(key, hash))];
    if (slot.entry >= 0) {
        return {&m_entries[static_cast<size_t>(slot.entry)].item, false};
    }
    slot = Slot{tagOf(hash), static_cast<qint32>(m_entries.size())};
    const auto keyAt = static_cast<quint32>(m_keys.size());
    m_keys.insert(m_keys.end(), key.utf16(), key.utf16() + key.size());
    m_entries.push_back(Entry{hash, keyAt, static_cast<quint32>(key.size()), std::move(item)});
    return {&m_entries.back().item, true};
}

void NameTable::grow() {
    const size_t size = m_slots.empty() ? kSmallestTable : 2 * m_slots.size();
    m_slots.assign(size, Slot{});
    const size_t mask = size - 1;
    for (size_t e = 0; e < m_entries.size(); ++e) {
        size_t i = m_entries[e].hash & mask;
        while (m_slots[i].entry >= 0) {
            i = (i + 1) & mask;
        }
        m_slots[i] = Slot{tagOf(m_entries[e].hash), static_cast<qint32>(e)};
    }
}
