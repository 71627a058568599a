#include "list/file_list.h"

#include <algorithm>
#include <numeric>

#include "list/text_order.h"

void FileList::append(FileEntry entry) {
    m_rows.push_back(std::move(entry));
    if (m_sorted) {
        sortRows();
    }
}

void FileList::removeRows(const std::vector<bool>& drop) {
    size_t kept = 0;
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (i >= drop.size() || !drop[i]) {
            if (kept != i) {
                m_rows[kept] = std::move(m_rows[i]);
            }
            ++kept;
        }
    }
    m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(kept), m_rows.end());
}

void FileList::swapRows(int p, int q) {
    std::swap(at(p), at(q));
}

void FileList::setSorted(bool sorted) {
    // While on, every change keeps the order, so switching on again has nothing to do.
    const bool switchedOn = sorted && !m_sorted;
    m_sorted = sorted;
    if (switchedOn) {
        sortRows();
    }
}

void FileList::setSortKey(int key) {
    m_sortKey = key;
    if (m_sorted) {
        sortRows();
    }
}

void FileList::setSortOrder(int order) {
    m_sortOrder = order;
    if (m_sorted) {
        sortRows();
    }
}

namespace {

// The text row sorts by under key; made into storage where the entry does not hold it.
QStringView textKey(const FileEntry& row, int key, QString& storage) {
    if (const std::optional<QStringView> held = row.heldText(key)) {
        return *held;
    }
    storage = row.column(key);
    return storage;
}

}  // namespace

void FileList::sortRows() {
    const bool descending = m_sortOrder == 1;
    std::vector<size_t> order(m_rows.size());
    std::iota(order.begin(), order.end(), size_t{0});
    // Lists often come in order already (a shell's glob, a sorted path list): one comparison per
    // row tells, and then the stable sort would change nothing.
    bool changed = false;
    const auto sortBy = [&](const auto& compare) {
        const auto before = [&](size_t a, size_t b) {
            const auto cmp = compare(a, b);
            return descending ? cmp > 0 : cmp < 0;
        };
        changed = !std::is_sorted(order.begin(), order.end(), before);
        if (changed) {
            std::stable_sort(order.begin(), order.end(), before);
        }
    };
    if (m_sortKey == SortGroesseColumn) {
        sortBy([&](size_t a, size_t b) { return m_rows[a].length() <=> m_rows[b].length(); });
    } else if (m_sortKey == SortDatumColumn) {
        sortBy([&](size_t a, size_t b) { return m_rows[a].modified() <=> m_rows[b].modified(); });
    } else {
        // A collator serves one thread.
        thread_local const TextOrder textOrder;
        std::vector<QString> storage(m_rows.size());
        std::vector<QStringView> keys;
        keys.reserve(m_rows.size());
        bool ranked = true;
        for (size_t i = 0; i < m_rows.size(); ++i) {
            keys.push_back(textKey(m_rows[i], m_sortKey, storage[i]));
            ranked = ranked && textOrder.ranked(keys.back());
        }
        if (ranked) {
            sortBy([&](size_t a, size_t b) { return textOrder.compare(keys[a], keys[b]); });
        } else {
            // One collation key per row keeps the sort at n log n cheap comparisons.
            std::vector<QCollatorSortKey> collationKeys;
            collationKeys.reserve(keys.size());
            for (QStringView key : keys) {
                collationKeys.push_back(textOrder.collator().sortKey(key.toString()));
            }
            sortBy([&](size_t a, size_t b) { return collationKeys[a].compare(collationKeys[b]); });
        }
    }
    if (!changed) {
        return;
    }
    std::vector<FileEntry> sorted;
    sorted.reserve(m_rows.size());
    for (size_t index : order) {
        sorted.push_back(std::move(m_rows[index]));
    }
    m_rows = std::move(sorted);
}

void InitListe(FileList& list) {
    list.clear();
}
