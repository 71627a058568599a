#include "ui/list_wiring.h"

#include <QApplication>
#include <QHeaderView>
#include <QTableView>
#include <QToolTip>

#include "ui/list_view_behaviour.h"
#include "ui/plan_presenter.h"
#include "ui/tooltips.h"

ListWiring::ListWiring(PlanPresenter& presenter, QTableView* view)
    : m_presenter(presenter), m_view(view), m_model(presenter), m_marks(&m_model) {
    // The form file cannot reach the header's section behaviour.
    QHeaderView* header = m_view->horizontalHeader();
    header->setSectionsMovable(false);
    header->setSectionsClickable(true);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // The marks are the view's selection: a header showing whether its column is wholly
    // selected would look at every row each time it paints.
    header->setHighlightSections(false);

    m_view->setModel(&m_model);
    m_view->setSelectionModel(&m_marks);
    for (int k = 0; k < kColumnCount; ++k) {
        const int width = FileListModel::columnWidth(k);
        m_view->setColumnWidth(k, width);
        m_view->setColumnHidden(k, width == 0);
    }
    m_view->setItemDelegate(new ListRowDelegate(m_view));
    // One height for every row, so that the view never measures a row.
    QHeaderView* rows = m_view->verticalHeader();
    const int rowHeight = ListRowDelegate::rowHeight(m_view);
    rows->setMinimumSectionSize(rowHeight);
    rows->setDefaultSectionSize(rowHeight);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    new NameColumnsStretch(m_view);

    connect(&presenter, &PlanPresenter::checked, this, &ListWiring::showNewNames);
    connect(&presenter, &PlanPresenter::rowsChanged, this, &ListWiring::showSortIndicator);
    connect(&m_marks, &MarkSelectionModel::userSelected, &presenter, &PlanPresenter::listClicked);
    connect(header, &QHeaderView::sectionClicked, &presenter,
            [&presenter](int section) { presenter.headerClicked(section + 1); });
}

void ListWiring::setFree(bool free) {
    if (free == m_view->isEnabled()) {
        return;
    }
    // Disabling the list hands its focus on; it comes back unless the user has moved it since.
    // Before the window is shown the list is still to get the first focus.
    const bool shown = m_view->window()->isVisible();
    if (!free) {
        m_listHadFocus = !shown || m_view->hasFocus();
    }
    m_view->setEnabled(free);
    if (!free) {
        m_focusStandIn = shown ? QApplication::focusWidget() : nullptr;
    } else if (m_listHadFocus &&
               (m_focusStandIn.isNull() || QApplication::focusWidget() == m_focusStandIn)) {
        m_view->setFocus();
    }
}

void ListWiring::showNewNames() {
    // Telling the view of every row costs it a pass over all of them; rows out of sight are read
    // afresh when they come into it.
    const QRect shown = m_view->viewport()->rect();
    m_model.newNamesChanged(m_view->indexAt(shown.topLeft()).row(),
                            m_view->indexAt(shown.bottomLeft()).row());
}

void ListWiring::showSortIndicator() {
    QHeaderView* header = m_view->horizontalHeader();
    const int sorted = m_presenter.sortedHeader();
    header->setSortIndicatorShown(sorted != 0);
    if (sorted != 0) {
        header->setSortIndicator(sorted - 1, m_presenter.list().SortOrder() == 0
                                                 ? Qt::AscendingOrder
                                                 : Qt::DescendingOrder);
    }
}

void ListWiring::showNextRowInTrouble() {
    const QModelIndex current = m_view->currentIndex();
    const int p = m_presenter.nextRowInTrouble(current.isValid() ? current.row() + 1 : 0);
    if (p == 0) {
        QApplication::beep();
        return;
    }
    const QModelIndex row = m_model.index(p - 1, NeuerNameColumn);
    m_view->setFocus();
    // The selection is the marks: only the current row moves.
    m_marks.setCurrentIndex(row, QItemSelectionModel::NoUpdate);
    m_view->scrollTo(row);
    const QRect cell = m_view->visualRect(row);
    QToolTip::showText(m_view->viewport()->mapToGlobal(cell.bottomLeft()),
                       toolTipText(row.data(Qt::ToolTipRole).toString(), m_view),
                       m_view->viewport(), cell);
}
