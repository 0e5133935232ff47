#include "ui/texttablemodel.h"

#include "traffic/texttable.h"
#include "ui/textcodec.h"

namespace corvane::ui {

TextTableModel::TextTableModel(TextTable& table, QStringList headers, QObject* parent)
    : ObservingModel(parent)
    , m_table(table)
    , m_headers(std::move(headers)) {
    m_table.observers().add(this);
}

TextTableModel::~TextTableModel() {
    m_table.observers().remove(this);
}

int TextTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_table.rowCount();
}

int TextTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_table.columnCount();
}

QVariant TextTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_table.rowCount() || index.column() >= m_table.columnCount())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return ToDisplay(m_table.cell(index.row(), index.column()));
    return {};
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < m_headers.size())
        return m_headers.at(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace corvane::ui
