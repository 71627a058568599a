#pragma once

#include <QObject>
#include <QPointer>

#include "ui/file_list_model.h"
#include "ui/mark_selection_model.h"

class PlanPresenter;
class QTableView;
class QWidget;

// The candidate list's view wired to the presenter: its model and marks, columns and header,
// the sort indicator, the new names a check wrote, the visit of the rows in trouble, and the
// focus the list hands on while a fill holds it. A member of the window, not a child: the model
// goes before the view that shows it and after the presenter it reads.
class ListWiring : public QObject {
  public:
    ListWiring(PlanPresenter& presenter, QTableView* view);

    // Enables or disables the list; while a fill holds it, the focus waits elsewhere.
    void setFree(bool free);
    // Moves to the next row in trouble and shows why; beeps when there is none.
    void showNextRowInTrouble();

  private:
    void showNewNames();
    void showSortIndicator();

    PlanPresenter& m_presenter;
    QTableView* m_view;
    FileListModel m_model;
    MarkSelectionModel m_marks;
    // Where the focus was, and went, when a fill took the list.
    bool m_listHadFocus = false;
    QPointer<QWidget> m_focusStandIn;
};
