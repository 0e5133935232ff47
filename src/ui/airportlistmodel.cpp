#include "ui/airportlistmodel.h"

#include "editors/airporteditor.h"
#include "traffic/trafficdatabase.h"
#include "ui/textcodec.h"

namespace corvane::ui {

AirportListModel::AirportListModel(AirportOrder& order, const AirportTable& table, QObject* parent)
    : ObservingModel(parent)
    , m_order(order)
    , m_table(table) {
    m_order.observers().add(this);
}

AirportListModel::~AirportListModel() {
    m_order.observers().remove(this);
}

int AirportListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_order.count();
}

int AirportListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 6;
}

QVariant AirportListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_order.count() ||
        (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return ToDisplay(m_table.cell(m_order.tableRow(index.row()), index.column()));
}

QVariant AirportListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 6)
        return QString::fromLatin1(kAirportHeaders[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace corvane::ui
