#include "list/list_selection.h"

void ListeSelect(FileList& list, SelectMode mode) {
    for (FileEntry& entry : list) {
        entry.Selected =
            mode == SelectMode::InvertMarks ? !entry.Selected : mode == SelectMode::MarkAll;
    }
}

bool EintragVerschieben(FileList& list, bool nachOben) {
    list.setSorted(false);
    const int n = list.count();
    if (n == 0) {
        return true;
    }
    if (list.at(nachOben ? 1 : n).Selected) {
        return false;
    }
    // Visiting from the side the rows move towards lets a block pass its neighbour as a whole.
    auto moveRow = [&](int from, int to) {
        list.swapRows(from, to);
        list.at(to).NeuerName = kPlaceholderName;  // a moved row has no current new name
    };
    if (nachOben) {
        for (int i = 2; i <= n; ++i) {
            if (list.at(i).Selected) {
                moveRow(i, i - 1);
            }
        }
    } else {
        for (int i = n - 1; i >= 1; --i) {
            if (list.at(i).Selected) {
                moveRow(i, i + 1);
            }
        }
    }
    return true;
}

int sortKeyForHeader(int index) {
    switch (index) {
        case 1:
            return AlterNameColumn;
        case 2:
            return NeuerNameColumn;
        case 3:
            return InOrdnerColumn;
        case 4:
            return SortGroesseColumn;
        case 5:
            return TypColumn;
        case 6:
            return SortDatumColumn;
        default:
            return index - 1;
    }
}

void HeaderSorter::headerClicked(FileList& list, int index) {
    if (index == m_lastSortColumn) {
        list.setSortOrder((list.SortOrder() + 1) % 2);
        return;
    }
    m_lastSortColumn = index;
    list.setSortKey(sortKeyForHeader(index));
    list.setSorted(true);
}

int sortedHeader(const FileList& list) {
    if (!list.Sorted()) {
        return 0;
    }
    // Size and date sort by hidden columns; their visible headers come first.
    for (int index = 1; index <= kColumnCount; ++index) {
        if (sortKeyForHeader(index) == list.SortKey()) {
            return index;
        }
    }
    return 0;
}
