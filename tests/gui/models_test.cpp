// The item models over the core's tables, checked by Qt's model tester while the tables change.

#include "editors/airportorder.h"
#include "traffic/trafficdatabase.h"
#include "ui/airportlistmodel.h"
#include "ui/sortedlistmodel.h"
#include "ui/texttablemodel.h"

#include <QAbstractItemModelTester>
#include <gtest/gtest.h>

using namespace corvane;

TEST(Models, sortedListModelFollowsItsList) {
    SortedList list;
    ui::SortedListModel model(list);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    list.add("KSEA");
    list.add("ENGM");
    {
        SortedList::Batch batch(list);
        list.add("EKCH");
        list.add("ZZZZ");
    }
    list.setHeads({"Choose Aircraft"});
    EXPECT_EQ(model.rowCount(), 5);
    EXPECT_EQ(model.index(0).data().toString(), QStringLiteral("Choose Aircraft"));
    EXPECT_EQ(model.index(2).data().toString(), QStringLiteral("ENGM"));
    list.removeFirst("engm");
    EXPECT_EQ(model.index(2).data().toString(), QStringLiteral("KSEA"));
    list.clear();
    EXPECT_EQ(model.rowCount(), 0);
}

TEST(Models, textTableModelShowsCellsAndFollowsEdits) {
    InstalledAircraftTable table;
    ui::TextTableModel model(table, {QStringLiteral("Aircraft"), QStringLiteral("Cruise speed")});
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    table.add({"Dash 8", "270", "270"});
    table.add({"Boeing \xE9", "430", "430"});
    EXPECT_EQ(model.index(0, 0).data().toString(), QStringLiteral("Boeing é"))
        << "sorted, Windows-1252 shown";
    EXPECT_EQ(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("Cruise speed"));
    int changes = 0;
    QObject::connect(&model, &QAbstractItemModel::dataChanged, [&] { ++changes; });
    table.setCell(1, InstalledAircraftTable::Speed, "280");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(model.index(1, 1).data().toString(), QStringLiteral("280"));
    table.remove(0);
    EXPECT_EQ(model.rowCount(), 1);
}

TEST(Models, airportListModelShowsTheEditorsOrder) {
    AirportTable table;
    AirportOrder order(table);
    ui::AirportListModel model(order, table);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    {
        TextTable::Batch batch(table);
        for (const char* code : {"KSEA", "ENGM", "EKCH"})
            table.add({code, "N1* 0.0'", "E1* 0.0'", "0", code, "-"});
    }
    EXPECT_EQ(model.index(0, 0).data().toString(), QStringLiteral("EKCH"));
    table.add({"BGO", "N1* 0.0'", "E1* 0.0'", "0", "Bergen", "-"});
    EXPECT_EQ(model.index(0, 0).data().toString(), QStringLiteral("BGO"))
        << "an added row takes its sorted place";
    order.sortBy(0, false);
    EXPECT_EQ(model.index(0, 0).data().toString(), QStringLiteral("KSEA"));
    table.setCell(0, AirportTable::Name, "Seattle");
    EXPECT_EQ(model.index(0, 4).data().toString(), QStringLiteral("Seattle"));
    table.remove(1); // ENGM
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.index(1, 0).data().toString(), QStringLiteral("EKCH"));
    table.clear();
    EXPECT_EQ(model.rowCount(), 0);
}
