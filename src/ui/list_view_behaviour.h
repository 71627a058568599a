#pragma once

#include <QObject>
#include <QStyledItemDelegate>

class QTreeView;

// Shows a cell's whole text as its tooltip while its column cuts the text off; over any other
// cell the list's own tooltip shows.
class FullTextToolTips : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;
};

// Gives the room right of the last column to the two name columns, half each. The other columns
// keep their widths, and no column gets narrower than its width in the design: a narrower list
// scrolls instead.
class NameColumnsStretch : public QObject {
  public:
    explicit NameColumnsStretch(QTreeView* view);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void stretch();

    QTreeView* m_view;
};
