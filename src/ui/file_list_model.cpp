#include "ui/file_list_model.h"

#include <array>

#include "plan/rename_plan.h"

namespace {

struct ColumnHeader {
    const char16_t* caption;
    int twips;
};

const std::array<ColumnHeader, kColumnCount> kHeaders{{
    {u"Alter Name", 2540},
    {u"Neuer Name", 2540},
    {u"In Ordner", 2540},
    {u"Größe", 1411},
    {u"Typ", 529},
    {u"Letzte Änderung", 2469},
    {u"", 0},
    {u"(versteckte Sortierspalte für Datum)", 0},
    {u"(versteckte Sortierspalte für Größe)", 0},
    {u"(versteckte Spalte für PfadNamen)", 0},
    {u"(versteckte Spalte für NurNamen)", 0},
}};

constexpr int kTwipsPerPixel = 15;

}  // namespace

FileListModel::FileListModel(const RenamePlan& plan, QObject* parent)
    : QAbstractTableModel(parent), m_plan(plan) {
    connect(&plan, &RenamePlan::rowsChanged, this, &FileListModel::reset);
    connect(&plan, &RenamePlan::checked, this, &FileListModel::newNamesChanged);
}

int FileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_plan.list().count();
}

int FileListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) {
        return {};
    }
    // The stored text is shared, not copied: no allocation per cell.
    return m_plan.list().at(index.row() + 1).column(index.column());
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= kColumnCount) {
        return {};
    }
    return columnCaption(section);
}

void FileListModel::reset() {
    beginResetModel();
    endResetModel();
}

void FileListModel::newNamesChanged() {
    const int rows = rowCount();
    if (rows > 0) {
        Q_EMIT dataChanged(index(0, NeuerNameColumn), index(rows - 1, NeuerNameColumn),
                           {Qt::DisplayRole});
    }
}

QString FileListModel::columnCaption(int column) {
    return QString::fromUtf16(kHeaders.at(static_cast<size_t>(column)).caption);
}

int FileListModel::columnWidth(int column) {
    return qRound(double(kHeaders.at(static_cast<size_t>(column)).twips) / kTwipsPerPixel);
}
