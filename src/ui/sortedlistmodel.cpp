#include "ui/sortedlistmodel.h"

#include "traffic/sortedlist.h"
#include "ui/textcodec.h"

namespace corvane::ui {

SortedListModel::SortedListModel(SortedList& list, QObject* parent)
    : ObservingModel(parent)
    , m_list(list) {
    m_list.observers().add(this);
}

SortedListModel::~SortedListModel() {
    m_list.observers().remove(this);
}

int SortedListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_list.count();
}

QVariant SortedListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_list.count()) return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole) return ToDisplay(m_list.entry(index.row()));
    return {};
}

} // namespace corvane::ui
