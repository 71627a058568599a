#include "ui/file_list_model.h"

#include <QMimeData>
#include <array>

#include "plan/messages.h"
#include "ui/plan_presenter.h"

namespace {

struct ColumnHeader {
    const char16_t* caption;
    int width;  // pixels; 0 hides the column
};

const std::array<ColumnHeader, kColumnCount> kHeaders{{
    {u"Alter Name", 169},
    {u"Neuer Name", 169},
    {u"In Ordner", 169},
    {u"Größe", 94},
    {u"Typ", 35},
    {u"Letzte Änderung", 165},
    {u"", 0},
    {u"(versteckte Sortierspalte für Datum)", 0},
    {u"(versteckte Sortierspalte für Größe)", 0},
    {u"(versteckte Spalte für PfadNamen)", 0},
    {u"(versteckte Spalte für NurNamen)", 0},
}};

const QString kUriListType = QStringLiteral("text/uri-list");

}  // namespace

FileListModel::FileListModel(PlanPresenter& presenter, QObject* parent)
    : QAbstractTableModel(parent), m_presenter(presenter) {
    connect(&presenter, &PlanPresenter::rowsChanged, this, &FileListModel::reset);
    connect(&presenter, &PlanPresenter::marksChanged, this, &FileListModel::marksReset);
}

int FileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_presenter.list().count();
}

int FileListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    const int p = index.row() + 1;
    const FileEntry& entry = m_presenter.list().at(p);
    switch (role) {
        case Qt::DisplayRole:
            return entry.column(index.column());
        case MarkRole:
            return entry.Selected;
        case TroubleRole:
            return m_presenter.rowVerdict(p) != nullptr;
        case RenamesRole:
            return entry.Selected && entry.NeuerName != entry.AlterName();
        case Qt::ToolTipRole:
            return troubleText(p);
        default:
            return {};
    }
}

// Why the row's new name fails, one reason a line; a row that shares the name is named by its
// position and its current name.
QString FileListModel::troubleText(int p) const {
    const RowVerdict* verdict = m_presenter.rowVerdict(p);
    if (verdict == nullptr) {
        return m_presenter.freedFirst(p) ? QStringLiteral("Der neue Name wird zuerst frei")
                                         : QString();
    }
    const FileList& list = m_presenter.list();
    QString other = QStringLiteral("Zeile ") + QString::number(verdict->sameAs);
    if (verdict->sameAs >= 1 && verdict->sameAs <= list.count()) {
        const FileEntry& partner = list.at(verdict->sameAs);
        other += QStringLiteral(" (") + partner.AlterName().toString() + u')';
    }
    return faultTexts(*verdict, other).join(u'\n');
}

bool FileListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != MarkRole || !index.isValid()) {
        return false;
    }
    m_presenter.setSelected(index.row() + 1, value.toBool());
    return true;
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= kColumnCount) {
        return {};
    }
    return columnCaption(section);
}

Qt::ItemFlags FileListModel::flags(const QModelIndex& index) const {
    // Files are dropped onto the list as a whole, never onto a row.
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::ItemIsDropEnabled;
}

QStringList FileListModel::mimeTypes() const {
    return {kUriListType};
}

Qt::DropActions FileListModel::supportedDropActions() const {
    return Qt::CopyAction;
}

bool FileListModel::canDropMimeData(const QMimeData* data, Qt::DropAction action, int, int,
                                    const QModelIndex&) const {
    // Which of the URLs are local files is read once, off the window thread, from the drop.
    return action == Qt::CopyAction && data != nullptr && data->hasFormat(kUriListType);
}

bool FileListModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                                 const QModelIndex& parent) {
    if (!canDropMimeData(data, action, row, column, parent)) {
        return false;
    }
    return m_presenter.fillFromDrop(data->data(kUriListType));
}

void FileListModel::reset() {
    beginResetModel();
    endResetModel();
    // After every view has cleared its selection for the reset.
    Q_EMIT marksReset();
}

QItemSelection FileListModel::markedRows() const {
    const FileList& list = m_presenter.list();
    const int rows = list.count();
    QItemSelection selection;
    for (int row = 0; row < rows; ++row) {
        if (!list.at(row + 1).Selected) {
            continue;
        }
        const int first = row;
        while (row + 1 < rows && list.at(row + 2).Selected) {
            ++row;
        }
        selection.select(index(first, 0), index(row, kColumnCount - 1));
    }
    return selection;
}

void FileListModel::newNamesChanged(int first, int last) {
    const int rows = rowCount();
    last = last < 0 ? rows - 1 : last;
    if (first >= 0 && first <= last && last < rows) {
        // A verdict colours the whole row.
        Q_EMIT dataChanged(index(first, 0), index(last, kColumnCount - 1),
                           {Qt::DisplayRole, TroubleRole, Qt::ToolTipRole});
    }
}

QString FileListModel::columnCaption(int column) {
    return QString::fromUtf16(kHeaders.at(static_cast<size_t>(column)).caption);
}

int FileListModel::columnWidth(int column) {
    return kHeaders.at(static_cast<size_t>(column)).width;
}
