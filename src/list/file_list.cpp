#include "list/file_list.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <numeric>

FileEntry& FileList::insert(int p, FileEntry entry) {
    auto row = m_rows.insert(m_rows.begin() + (p - 1), std::move(entry));
    if (!m_sorted) {
        return *row;
    }
    const QString path = row->PfadName;
    sortRows();
    return *std::find_if(m_rows.begin(), m_rows.end(),
                         [&](const FileEntry& e) { return e.PfadName == path; });
}

void FileList::append(FileEntry entry) {
    m_rows.push_back(std::move(entry));
    if (m_sorted) {
        sortRows();
    }
}

void FileList::remove(int p) {
    m_rows.erase(m_rows.begin() + (p - 1));
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

void FileList::sortRows() {
    // Text order as a German reader expects it, whatever the process locale (the C locale would
    // fall back to code-unit order): ignoring letter case, never numeric. One collation key per
    // row keeps the sort at n log n cheap comparisons.
    QCollator collator(QLocale(QLocale::German, QLocale::Germany));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(false);
    const bool descending = m_sortOrder == 1;
    // Lists often come in order already (a shell's glob, a sorted path list): one comparison per
    // row tells, and then the stable sort would change nothing.
    const auto before = [&](const FileEntry& a, const FileEntry& b) {
        const int cmp = collator.compare(a.column(m_sortKey), b.column(m_sortKey));
        return descending ? cmp > 0 : cmp < 0;
    };
    if (std::is_sorted(m_rows.begin(), m_rows.end(), before)) {
        return;
    }
    std::vector<QCollatorSortKey> keys;
    keys.reserve(m_rows.size());
    for (const FileEntry& row : m_rows) {
        keys.push_back(collator.sortKey(row.column(m_sortKey)));
    }
    std::vector<size_t> order(m_rows.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const int cmp = keys[a].compare(keys[b]);
        return descending ? cmp > 0 : cmp < 0;
    });
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
