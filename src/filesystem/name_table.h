#pragma once

#include <QString>
#include <QStringView>
#include <utility>
#include <vector>

// Names in capitals, each with a text and a number, in one flat open-addressing table. A probe
// compares the hash bits kept in the table and reads a name only where they agree, so that lookups
// stay cheap in folders of a hundred thousand files.
class NameTable {
  public:
    void reserve(qsizetype count);
    qsizetype size() const { return static_cast<qsizetype>(m_entries.size()); }
    bool isEmpty() const { return m_entries.empty(); }

    struct Item {
        QString text;
        quint64 number = 0;
    };

    // What is stored with key, or null when key is not in the table.
    const Item* find(const QString& key) const;
    // Adds key with item; for a key already there, returns its item to change, and false.
    std::pair<Item*, bool> insert(const QString& key, Item item);

  private:
    // The keys stand one after another in one block: no allocation of their own.
    struct Entry {
        size_t hash;
        quint32 keyAt;
        quint32 keyLength;
        Item item;
    };
    QStringView keyOf(const Entry& entry) const {
        return QStringView(m_keys.data() + entry.keyAt, entry.keyLength);
    }
    // Eight bytes, so that the slots of a large folder stay in the processor's caches.
    struct Slot {
        quint32 tag = 0;    // the upper half of the entry's hash
        qint32 entry = -1;  // index into m_entries; -1 while empty
    };

    qsizetype slotOf(const QString& key, size_t hash) const;
    void grow();

    std::vector<Entry> m_entries;
    std::vector<char16_t> m_keys;
    std::vector<Slot> m_slots;  // a power of two, at most half full
};
