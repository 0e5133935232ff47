#include "ui/rowsmodel.h"

#include "ui/textcodec.h"

namespace corvane::ui {

RowsModel::RowsModel(QStringList headers, RowCount rowCount, Cell cell, QObject* parent)
    : QAbstractTableModel(parent)
    , m_headers(std::move(headers))
    , m_rowCount(std::move(rowCount))
    , m_cell(std::move(cell)) {}

int RowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rowCount();
}

int RowsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_headers.size());
}

QVariant RowsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rowCount()) return {};
    if (role == Qt::DecorationRole && m_decoration) return m_decoration(index.row(), index.column());
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    return ToDisplay(m_cell(index.row(), index.column()));
}

QVariant RowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < m_headers.size())
        return m_headers.at(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

void RowsModel::rowsReplaced() {
    beginResetModel();
    endResetModel();
}

void RowsModel::cellsChanged() {
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

} // namespace corvane::ui
