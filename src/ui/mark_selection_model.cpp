#include "ui/mark_selection_model.h"

#include "ui/file_list_model.h"

MarkSelectionModel::MarkSelectionModel(FileListModel* model, QObject* parent)
    : QItemSelectionModel(model, parent), m_marks(model) {
    connect(model, &FileListModel::marksReset, this, &MarkSelectionModel::showMarks);
    connect(this, &QItemSelectionModel::selectionChanged, this, &MarkSelectionModel::takeMarks);
}

void MarkSelectionModel::select(const QItemSelection& selection, SelectionFlags command) {
    QItemSelectionModel::select(selection, command);
    Q_EMIT userSelected();
}

void MarkSelectionModel::showMarks() {
    // Not through select(): this is no gesture of the user. The change it signals is not written
    // back to the marks it was drawn from.
    m_showingMarks = true;
    QItemSelectionModel::select(m_marks->markedRows(), ClearAndSelect);
    m_showingMarks = false;
}

void MarkSelectionModel::takeMarks(const QItemSelection& selected,
                                   const QItemSelection& deselected) {
    if (m_showingMarks) {
        return;
    }
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
