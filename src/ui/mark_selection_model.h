#pragma once

#include <QItemSelectionModel>

class FileListModel;

// The list view's selection as the marks of the rows. The view's gestures select as usual and
// each change of the selection marks or unmarks those rows in the model; when a command changed
// the rows or their marks, the selection is drawn anew from the model's marks.
class MarkSelectionModel : public QItemSelectionModel {
    Q_OBJECT

  public:
    explicit MarkSelectionModel(FileListModel* model, QObject* parent = nullptr);

    // The view's way in: every click, drag and selecting key of the user.
    void select(const QItemSelection& selection, SelectionFlags command) override;
    using QItemSelectionModel::select;

  Q_SIGNALS:
    // The user clicked in the list or changed marks by keys.
    void userSelected();

  private:
    void showMarks();
    void takeMarks(const QItemSelection& selected, const QItemSelection& deselected);

    FileListModel* m_marks;
    bool m_showingMarks = false;
};
