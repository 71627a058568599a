#include "ui/mark_selection_model.h"

#include "list/file_entry.h"
#include "ui/file_list_model.h"

MarkSelectionModel::MarkSelectionModel(FileListModel* model, QObject* parent)
    : QItemSelectionModel(model, parent) {
    connect(model, &FileListModel::marksReset, this, &MarkSelectionModel::showMarks);
    connect(this, &QItemSelectionModel::selectionChanged, this, &MarkSelectionModel::takeMarks);
}

void MarkSelectionModel::select(const QItemSelection& selection, SelectionFlags command) {
    QItemSelectionModel::select(selection, command);
    Q_EMIT userSelected();
}

void MarkSelectionModel::showMarks() {
    const QAbstractItemModel* marks = model();
    const int rows = marks->rowCount();
    QItemSelection selection;
    for (int row = 0; row < rows; ++row) {
        if (!marks->index(row, 0).data(FileListModel::MarkRole).toBool()) {
            continue;
        }
        const int first = row;
        while (row + 1 < rows && marks->index(row + 1, 0).data(FileListModel::MarkRole).toBool()) {
            ++row;
        }
        selection.select(marks->index(first, 0), marks->index(row, kColumnCount - 1));
    }
    // Not through select(): this is no gesture of the user. The change it signals writes the
    // marks it was drawn from, which changes nothing.
    QItemSelectionModel::select(selection, ClearAndSelect);
}

void MarkSelectionModel::takeMarks(const QItemSelection& selected,
                                   const QItemSelection& deselected) {
    QAbstractItemModel* marks = model();
    const auto mark = [marks](const QItemSelection& ranges, bool marked) {
        for (const QItemSelectionRange& range : ranges) {
            for (int row = range.top(); row <= range.bottom(); ++row) {
                marks->setData(marks->index(row, 0), marked, FileListModel::MarkRole);
            }
        }
    };
    mark(deselected, false);
    mark(selected, true);
}
