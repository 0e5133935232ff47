#pragma once
// A list model over one of the core's selection lists (SortedList): the aircraft combo, and the ICAO
// codes that the three airport combos share. It forwards the list's announcements as they stand.

#include "traffic/tableobserver.h"

#include <QAbstractListModel>

namespace corvane {
class SortedList;
}

namespace corvane::ui {

class SortedListModel final : public QAbstractListModel, private TableObserver {
    Q_OBJECT
public:
    SortedListModel(SortedList& list, QObject* parent = nullptr);
    ~SortedListModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    void rowsAboutToBeInserted(int first, int last) override { beginInsertRows({}, first, last); }
    void rowsInserted(int, int) override { endInsertRows(); }
    void rowsAboutToBeRemoved(int first, int last) override { beginRemoveRows({}, first, last); }
    void rowsRemoved(int, int) override { endRemoveRows(); }
    void aboutToReset() override { beginResetModel(); }
    void wasReset() override { endResetModel(); }

    SortedList& m_list;
};

} // namespace corvane::ui
