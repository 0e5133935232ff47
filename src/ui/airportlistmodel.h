#pragma once
// aptLST's model: the AirportTable in the order the airport editor keeps (AirportOrder), one column per
// cell, with the list's header captions and the sort indicator's column.

#include "ui/observingmodel.h"

#include <QAbstractTableModel>

namespace corvane {
class AirportOrder;
class AirportTable;
} // namespace corvane

namespace corvane::ui {

class AirportListModel final : public ObservingModel<QAbstractTableModel> {
    Q_OBJECT
public:
    AirportListModel(AirportOrder& order, const AirportTable& table, QObject* parent = nullptr);
    ~AirportListModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    AirportOrder& m_order;
    const AirportTable& m_table;
};

} // namespace corvane::ui
