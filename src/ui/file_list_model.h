#pragma once

#include <QAbstractTableModel>

class RenamePlan;

// The candidate list as the view shows it: one row per FileEntry, its 11 columns as text.
// The model only reads the plan's list and follows its signals; marks are the view's selection.
class FileListModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit FileListModel(const RenamePlan& plan, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    static QString columnCaption(int column);
    // The width of a column header in pixels; 0 hides the column.
    static int columnWidth(int column);

  private:
    // The rows changed in number or order.
    void reset();
    // A check wrote new names into column 1.
    void newNamesChanged();

    const RenamePlan& m_plan;
};
