#pragma once

#include <QTableView>

// The list of files: a table, which lays out a million rows of one height without visiting each,
// moved through by the keyboard as a list of rows. Left and right scroll the columns instead of
// moving to another cell of the row, which would mark that row alone; Home and End go to the
// first and last row.
class FileListView : public QTableView {
    Q_OBJECT

  public:
    using QTableView::QTableView;

  protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
};
