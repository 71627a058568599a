#include "ui/list_view_behaviour.h"

#include <QApplication>
#include <QHelpEvent>
#include <QStyle>
#include <QTableView>
#include <QToolTip>
#include <array>

#include "list/file_entry.h"
#include "ui/file_list_model.h"
#include "ui/tooltips.h"

namespace {

constexpr std::array<QPalette::ColorGroup, 3> kColorGroups{QPalette::Active, QPalette::Inactive,
                                                           QPalette::Disabled};

QColor blend(const QColor& from, const QColor& to, double share) {
    const auto mix = [share](int a, int b) { return qRound(a + (b - a) * share); };
    return QColor(mix(from.red(), to.red()), mix(from.green(), to.green()),
                  mix(from.blue(), to.blue()));
}

// A red as light as the theme's highlight, so that the highlighted text stays as readable on it.
QColor alarmOf(const QColor& highlight) {
    return QColor::fromHsl(0, qMax(highlight.hslSaturation(), 160),
                           qBound(70, highlight.lightness(), 170));
}

}  // namespace

int ListRowDelegate::rowHeight(const QAbstractItemView* view) {
    QStyleOptionViewItem probe;
    probe.initFrom(view);
    probe.font = view->font();
    probe.features = QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::HasDecoration;
    probe.text = QStringLiteral("Äg");
    const int icon = view->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, view);
    probe.decorationSize = view->iconSize().isValid() ? view->iconSize() : QSize(icon, icon);
    return view->style()->sizeFromContents(QStyle::CT_ItemViewItem, &probe, QSize(), view).height();
}

QSize ListRowDelegate::sizeHint(const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    const QSize size = QStyledItemDelegate::sizeHint(option, index);
    return view == nullptr ? size : QSize(size.width(), rowHeight(view));
}

void ListRowDelegate::initStyleOption(QStyleOptionViewItem* option,
                                      const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    QPalette& palette = option->palette;
    const bool selected = option->state.testFlag(QStyle::State_Selected);
    if (index.data(FileListModel::TroubleRole).toBool()) {
        // A marked row is the view's selection and filled with the highlight; any other with
        // the background brush.
        for (const QPalette::ColorGroup group : kColorGroups) {
            palette.setColor(group, QPalette::Highlight,
                             alarmOf(palette.color(group, QPalette::Highlight)));
        }
        if (!selected) {
            option->backgroundBrush = blend(palette.color(QPalette::Base),
                                            alarmOf(palette.color(QPalette::Highlight)), 0.3);
        }
        if (index.column() == NeuerNameColumn) {
            if (m_warning.isNull()) {
                const QStyle* style =
                    option->widget ? option->widget->style() : QApplication::style();
                m_warning =
                    style->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, option->widget);
            }
            option->icon = m_warning;
            option->features |= QStyleOptionViewItem::HasDecoration;
        }
    }
    if (index.column() == NeuerNameColumn && !index.data(FileListModel::RenamesRole).toBool()) {
        for (const QPalette::ColorGroup group : kColorGroups) {
            palette.setColor(group, QPalette::Text,
                             palette.color(group, QPalette::PlaceholderText));
            palette.setColor(group, QPalette::HighlightedText,
                             blend(palette.color(group, QPalette::HighlightedText),
                                   palette.color(group, QPalette::Highlight), 0.45));
        }
    }
}

bool ListRowDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (event->type() == QEvent::ToolTip && index.isValid()) {
        QStringList lines;
        const QString trouble = index.data(Qt::ToolTipRole).toString();
        if (!trouble.isEmpty()) {
            lines << trouble;
        }
        if (sizeHint(option, index).width() > option.rect.width()) {
            lines << index.data().toString();
        }
        if (!lines.isEmpty()) {
            QToolTip::showText(event->globalPos(), toolTipText(lines.join(u'\n'), view),
                               view->viewport(), option.rect);
            return true;
        }
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

NameColumnsStretch::NameColumnsStretch(QTableView* view) : QObject(view), m_view(view) {
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
