#pragma once
// A table model over one of the core's text tables, in table order, with the list's header captions.
// Cells are shown as they are stored; the model follows the table's announcements.

#include "ui/observingmodel.h"

#include <QAbstractTableModel>
#include <QStringList>

namespace corvane {
class TextTable;
}

namespace corvane::ui {

class TextTableModel : public ObservingModel<QAbstractTableModel> {
    Q_OBJECT
public:
    TextTableModel(TextTable& table, QStringList headers, QObject* parent = nullptr);
    ~TextTableModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    TextTable& table() const { return m_table; }

private:
    TextTable& m_table;
    QStringList m_headers;
};

} // namespace corvane::ui
