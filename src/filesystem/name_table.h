#pragma once

#include <QStringView>
#include <memory>
#include <utility>
#include <vector>

// Names found by their capitals, each kept in its own spelling with a number, in one flat
// open-addressing table. A probe compares the hash bits kept in the table and reads a name only
// where they agree, so that lookups stay cheap in folders of a hundred thousand files; the names
// stand in blocks of their own, one allocation for many.
class NameTable {
  public:
    class Entry {
      public:
        quint64 number = 0;  // the caller's, as the first insert of these capitals gave it
        // How many names with these capitals were inserted after this one, in any spelling.
        quint32 repeats() const { return m_repeats; }

      private:
        friend class NameTable;
        const char16_t* m_name = nullptr;
        quint32 m_hashLow = 0;  // the lower half of the hash of the name's capitals
        quint32 m_length = 0;
        quint32 m_repeats = 0;
    };

    void reserve(qsizetype count);
    // Gives back the room reserved beyond the names there are.
    void squeeze();
    qsizetype size() const { return static_cast<qsizetype>(m_entries.size()); }
    bool isEmpty() const { return m_entries.empty(); }

    // The entry of the name with the capitals of name, or null.
    const Entry* find(QStringView name) const;
    // Adds name with number; where a name with the same capitals is there already, counts the
    // repeat and returns that entry, and false.
    std::pair<Entry*, bool> insert(QStringView name, quint64 number) {
        return add(name, number, true);
    }
    // The same, keeping only a view of name, which must outlive the table.
    std::pair<Entry*, bool> insertView(QStringView name, quint64 number) {
        return add(name, number, false);
    }
    // The name of an entry as it was added.
    static QStringView nameOf(const Entry& entry) {
        return QStringView(entry.m_name, static_cast<qsizetype>(entry.m_length));
    }

  private:
    // Eight bytes, so that the slots of a large folder stay in the processor's caches.
    struct Slot {
        quint32 tag = 0;    // the upper half of the entry's hash
        qint32 entry = -1;  // index into m_entries; -1 while empty
    };

    std::pair<Entry*, bool> add(QStringView name, quint64 number, bool copy);
    size_t slotOf(QStringView name, size_t hash) const;
    void layOut(size_t slots);
    const char16_t* keep(QStringView name);

    std::vector<Entry> m_entries;
    std::vector<Slot> m_slots;  // a power of two, at most half full
    std::vector<std::unique_ptr<char16_t[]>> m_blocks;
    qsizetype m_blockSize = 0;
    qsizetype m_blockUsed = 0;
};
