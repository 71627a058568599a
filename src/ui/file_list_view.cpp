#include "ui/file_list_view.h"

#include <QScrollBar>

QModelIndex FileListView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) {
    switch (cursorAction) {
        case MoveLeft:
        case MoveRight:
            horizontalScrollBar()->triggerAction(cursorAction == MoveLeft
                                                     ? QAbstractSlider::SliderSingleStepSub
                                                     : QAbstractSlider::SliderSingleStepAdd);
            return currentIndex();
        case MoveHome:
        case MoveEnd:
            // With Control the table goes to the first or last row, not to the row's ends.
            return QTableView::moveCursor(cursorAction, modifiers | Qt::ControlModifier);
        default:
            return QTableView::moveCursor(cursorAction, modifiers);
    }
}
