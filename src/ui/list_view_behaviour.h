#pragma once

#include <QIcon>
#include <QObject>
#include <QStyledItemDelegate>

class QTableView;

// Draws the rows as the last check left them: a row in trouble in a red tone with a warning
// sign before its new name, a new name that renames nothing muted. Colours come from the
// view's palette, so that they suit light and dark themes alike. A row in trouble says why in
// its tooltip; a cell whose column cuts its text off adds its whole text. Over any other cell
// the list's own tooltip shows.
class ListRowDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // One height for every row, from the view's font and icon size, so that a row with the
    // warning sign is as high as one without: the list holds too many rows to measure each.
    static int rowHeight(const QAbstractItemView* view);

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

  private:
    mutable QIcon m_warning;
};

// Gives the room right of the last column to the two name columns, half each. The other columns
// keep their widths, and no column gets narrower than its width in the design: a narrower list
// scrolls instead.
class NameColumnsStretch : public QObject {
  public:
    explicit NameColumnsStretch(QTableView* view);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void stretch();

    QTableView* m_view;
};
