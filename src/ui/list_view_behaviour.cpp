#include "ui/list_view_behaviour.h"

#include <QHelpEvent>
#include <QToolTip>
#include <QTreeView>

#include "list/file_entry.h"
#include "ui/file_list_model.h"

bool FullTextToolTips::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                 const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (event->type() == QEvent::ToolTip && index.isValid() &&
        sizeHint(option, index).width() > option.rect.width()) {
        QToolTip::showText(event->globalPos(), index.data().toString(), view->viewport(),
                           option.rect);
        return true;
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

NameColumnsStretch::NameColumnsStretch(QTreeView* view) : QObject(view), m_view(view) {
    view->viewport()->installEventFilter(this);
}

bool NameColumnsStretch::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) {
        stretch();
    }
    return QObject::eventFilter(watched, event);
}

void NameColumnsStretch::stretch() {
    int used = 0;
    for (int k = 0; k < kColumnCount; ++k) {
        used += FileListModel::columnWidth(k);
    }
    const int room = qMax(0, m_view->viewport()->width() - used);
    m_view->setColumnWidth(AlterNameColumn, FileListModel::columnWidth(AlterNameColumn) + room / 2);
    m_view->setColumnWidth(NeuerNameColumn,
                           FileListModel::columnWidth(NeuerNameColumn) + room - room / 2);
}
