#pragma once
// A list model over one of the core's selection lists (SortedList): the aircraft combo, and the ICAO
// codes that the three airport combos share. It forwards the list's announcements as they stand.

#include "ui/observingmodel.h"

#include <QAbstractListModel>

namespace corvane {
class SortedList;
}

namespace corvane::ui {

class SortedListModel final : public ObservingModel<QAbstractListModel> {
    Q_OBJECT
public:
    SortedListModel(SortedList& list, QObject* parent = nullptr);
    ~SortedListModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    SortedList& m_list;
};

} // namespace corvane::ui
