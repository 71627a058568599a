#pragma once

#include <QAbstractTableModel>
#include <QItemSelection>

class PlanPresenter;

// The candidate list as the view shows it: one row per FileEntry, its 11 columns as text, and
// its mark. Rows, marks and dropped files all go through the presenter; the model keeps nothing.
class FileListModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    // The mark of a row, true or false.
    static constexpr int MarkRole = Qt::UserRole;
    // Whether the last check found the row's new name failing; its tooltip says why.
    static constexpr int TroubleRole = Qt::UserRole + 1;
    // Whether a run would give the row's file its new name: it is marked, and the name changes.
    static constexpr int RenamesRole = Qt::UserRole + 2;

    explicit FileListModel(PlanPresenter& presenter, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Only a list of local files can be dropped, and only copied: a source that took the drop
    // for a move would delete the files it sent.
    QStringList mimeTypes() const override;
    Qt::DropActions supportedDropActions() const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;

    // The marked rows as runs of whole rows.
    QItemSelection markedRows() const;
    // The new names and verdicts of rows first to last changed; last -1 up to the end. The views
    // read the other rows as they come into sight.
    void newNamesChanged(int first, int last);

    static QString columnCaption(int column);
    // The width of a column header in pixels; 0 hides the column.
    static int columnWidth(int column);

  Q_SIGNALS:
    // A command changed the rows or their marks.
    void marksReset();

  private:
    void reset();
    QString troubleText(int p) const;

    PlanPresenter& m_presenter;
};
