#include "filesystem/name_table.h"

#include <bit>

#include "filesystem/capitals.h"

namespace {

constexpr size_t kSmallestTable = 16;
// Blocks of names start small, for the many small folders, and double up to this many units,
// which malloc still serves from its heap.
constexpr qsizetype kFirstBlock = 256;
constexpr qsizetype kLargestBlock = 32 * 1024;

quint32 tagOf(size_t hash) {
    return static_cast<quint32>(hash >> 32);
}

// Slots for count names, at most half of them taken.
size_t slotsFor(size_t count) {
    return std::bit_ceil(std::max(kSmallestTable, 2 * count));
}

}  // namespace

void NameTable::reserve(qsizetype count) {
    m_entries.reserve(static_cast<size_t>(count));
    const size_t wanted = slotsFor(static_cast<size_t>(count));
    if (wanted > m_slots.size()) {
        layOut(wanted);
    }
}

void NameTable::squeeze() {
    m_entries.shrink_to_fit();
    const size_t wanted = slotsFor(m_entries.size());
    if (wanted < m_slots.size()) {
        layOut(wanted);
    }
}

size_t NameTable::slotOf(QStringView name, size_t hash) const {
    const size_t mask = m_slots.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = m_slots[i];
        if (slot.entry < 0 ||
            (slot.tag == tagOf(hash) &&
             sameCapitals(nameOf(m_entries[static_cast<size_t>(slot.entry)]), name))) {
            return i;
        }
    }
}

const NameTable::Entry* NameTable::find(QStringView name) const {
    if (m_slots.empty()) {
        return nullptr;
    }
    const Slot& slot = m_slots[slotOf(name, hashOfCapitals(name))];
    return slot.entry < 0 ? nullptr : &m_entries[static_cast<size_t>(slot.entry)];
}

std::pair<NameTable::Entry*, bool> NameTable::add(QStringView name, quint64 number, bool copy) {
    const size_t hash = hashOfCapitals(name);
    size_t slot = m_slots.empty() ? 0 : slotOf(name, hash);
    if (!m_slots.empty() && m_slots[slot].entry >= 0) {
        Entry& found = m_entries[static_cast<size_t>(m_slots[slot].entry)];
        ++found.m_repeats;
        return {&found, false};
    }
    // Only a name that is new makes the table grow.
    if (2 * (m_entries.size() + 1) > m_slots.size()) {
        layOut(m_slots.empty() ? kSmallestTable : 2 * m_slots.size());
        slot = slotOf(name, hash);
    }
    m_slots[slot] = Slot{tagOf(hash), static_cast<qint32>(m_entries.size())};
    Entry& entry = m_entries.emplace_back();
    entry.number = number;
    entry.m_name = copy ? keep(name) : name.utf16();
    entry.m_hashLow = static_cast<quint32>(hash);
    entry.m_length = static_cast<quint32>(name.size());
    return {&entry, true};
}

// The slots are laid out again from the old ones, which keep the upper half of each hash.
void NameTable::layOut(size_t size) {
    std::vector<Slot> old = std::exchange(m_slots, std::vector<Slot>(size));
    const size_t mask = size - 1;
    for (const Slot& slot : old) {
        if (slot.entry < 0) {
            continue;
        }
        const size_t hash =
            (size_t(slot.tag) << 32) | m_entries[static_cast<size_t>(slot.entry)].m_hashLow;
        size_t i = hash & mask;
        while (m_slots[i].entry >= 0) {
            i = (i + 1) & mask;
        }
        m_slots[i] = slot;
    }
}

const char16_t* NameTable::keep(QStringView name) {
    if (m_blocks.empty() || m_blockUsed + name.size() > m_blockSize) {
        m_blockSize = std::max(
            name.size(), m_blocks.empty() ? kFirstBlock : std::min(2 * m_blockSize, kLargestBlock));
        m_blocks.push_back(
            std::make_unique_for_overwrite<char16_t[]>(static_cast<size_t>(m_blockSize)));
        m_blockUsed = 0;
    }
    char16_t* kept = m_blocks.back().get() + m_blockUsed;
    std::copy(name.utf16(), name.utf16() + name.size(), kept);
    m_blockUsed += name.size();
    return kept;
}
