#pragma once

#include "list/file_list.h"

enum class SelectMode {
    UnmarkAll,
    MarkAll,
    InvertMarks,
};

// Marks all, none or the opposite.
void ListeSelect(FileList& list, SelectMode mode);

// Moves every marked row one place up (or down), each swapping with the unmarked row beside it,
// so a block moves as a whole. Switches Sorted off in every case. Returns false, moving
// nothing, when the first row (up) or the last row (down) is marked: the caller beeps then.
bool EintragVerschieben(FileList& list, bool nachOben);

// A click on the 1-based column header index: the same header again reverses the direction,
// another header sorts by its key in the direction in force.
class HeaderSorter {
  public:
    void headerClicked(FileList& list, int index);

  private:
    int m_lastSortColumn = 0;
};

// The sort key of a 1-based header index: size and date sort by their hidden key columns.
int sortKeyForHeader(int index);
// The 1-based header that orders the list, 0 while the list is not sorted.
int sortedHeader(const FileList& list);
