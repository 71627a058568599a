#pragma once

#include <vector>

#include "list/file_entry.h"

// The candidate list: rows addressed by 1-based position, with its ordering state.
// While Sorted is on the rows stay in the order of SortKey/SortOrder; while it is off they keep
// the order in which they were inserted or moved, and key or order changes are only stored.
class FileList {
  public:
    int count() const { return static_cast<int>(m_rows.size()); }
    bool isEmpty() const { return m_rows.empty(); }
    FileEntry& at(int p) { return m_rows[static_cast<size_t>(p - 1)]; }
    const FileEntry& at(int p) const { return m_rows[static_cast<size_t>(p - 1)]; }

    void append(FileEntry entry);
    // Removes every row p whose drop[p - 1] is true, keeping the order of the others; one pass.
    void removeRows(const std::vector<bool>& drop);
    void clear() { m_rows.clear(); }
    // Exchanges the rows at p and q without touching the ordering state.
    void swapRows(int p, int q);
    void reserve(int n) { m_rows.reserve(static_cast<size_t>(n)); }

    bool Sorted() const { return m_sorted; }
    void setSorted(bool sorted);
    int SortKey() const { return m_sortKey; }
    void setSortKey(int key);
    int SortOrder() const { return m_sortOrder; }
    void setSortOrder(int order);

    std::vector<FileEntry>::iterator begin() { return m_rows.begin(); }
    std::vector<FileEntry>::iterator end() { return m_rows.end(); }
    std::vector<FileEntry>::const_iterator begin() const { return m_rows.begin(); }
    std::vector<FileEntry>::const_iterator end() const { return m_rows.end(); }

  private:
    void sortRows();

    std::vector<FileEntry> m_rows;
    bool m_sorted = false;
    int m_sortKey = AlterNameColumn;
    int m_sortOrder = 0;
};

// Removes all rows; nothing else.
void InitListe(FileList& list);
