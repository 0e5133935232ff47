#pragma once
// A read-only table model over rows that an editor keeps in a plain vector (the flights of an airport,
// the legs of a flight): the page tells it when the rows changed, and it reads cells through a
// function.

#include <QAbstractTableModel>
#include <QStringList>
#include <functional>
#include <string>

namespace corvane::ui {

class RowsModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    using RowCount = std::function<int()>;
    using Cell = std::function<std::string(int row, int column)>;
    // What a cell shows beside its text (an icon); an empty QVariant for nothing.
    using Decoration = std::function<QVariant(int row, int column)>;

    RowsModel(QStringList headers, RowCount rowCount, Cell cell, QObject* parent = nullptr);
    void setDecoration(Decoration decoration) { m_decoration = std::move(decoration); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The rows were replaced: every view starts over.
    void rowsReplaced();
    // Cells of the existing rows changed.
    void cellsChanged();

private:
    QStringList m_headers;
    RowCount m_rowCount;
    Cell m_cell;
    Decoration m_decoration;
};

} // namespace corvane::ui
