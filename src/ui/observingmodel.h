#pragma once
// An item model that follows a core table's announcements: each pair (about to / done) becomes the
// model's own begin/end pair, and a changed cell becomes dataChanged. The core table and the model use
// the same row positions.

#include "traffic/tableobserver.h"

#include <QAbstractItemModel>

namespace corvane::ui {

template <typename Model> class ObservingModel : public Model, protected TableObserver {
protected:
    using Model::Model;

    void rowsAboutToBeInserted(int first, int last) override { this->beginInsertRows({}, first, last); }
    void rowsInserted(int, int) override { this->endInsertRows(); }
    void rowsAboutToBeRemoved(int first, int last) override { this->beginRemoveRows({}, first, last); }
    void rowsRemoved(int, int) override { this->endRemoveRows(); }
    void cellChanged(int row, int column) override {
        const auto changed = this->index(row, column);
        emit this->dataChanged(changed, changed);
    }
    void aboutToReset() override { this->beginResetModel(); }
    void wasReset() override { this->endResetModel(); }
};

} // namespace corvane::ui
