#include "traffic/sortedlist.h"
#include "traffic/texttable.h"

#include <gtest/gtest.h>
#include <random>

using namespace corvane;

namespace {

struct Recorder : TableObserver {
    std::vector<std::string> events;
    void rowsAboutToBeInserted(int f, int l) override {
        events.push_back("+?" + std::to_string(f) + "-" + std::to_string(l));
    }
    void rowsInserted(int f, int l) override {
        events.push_back("+" + std::to_string(f) + "-" + std::to_string(l));
    }
    void rowsAboutToBeRemoved(int f, int l) override {
        events.push_back("-?" + std::to_string(f) + "-" + std::to_string(l));
    }
    void rowsRemoved(int f, int l) override {
        events.push_back("-" + std::to_string(f) + "-" + std::to_string(l));
    }
    void cellChanged(int r, int c) override {
        events.push_back("c" + std::to_string(r) + "," + std::to_string(c));
    }
    void aboutToReset() override { events.push_back("reset?"); }
    void wasReset() override { events.push_back("reset"); }
};

std::vector<std::string> Texts(const TextTable& t) {
    std::vector<std::string> texts;
    for (int r = 0; r < t.rowCount(); ++r) texts.push_back(t.cell(r, 0));
    return texts;
}

} // namespace

TEST(TextTable, sortedInsertKeepsIndexesInStep) {
    TextTable t(3, TextTable::Order::ByText, {0, 2});
    t.add({"delta", "1", "AC#4"});
    t.add({"alpha", "1", "AC#1"});
    t.add({"Charlie", "1", "AC#3"});
    t.add({"bravo", "1", "AC#2"});
    t.add({"ALPHA", "1", "AC#5"}); // after the equal one
    EXPECT_EQ(Texts(t), (std::vector<std::string>{"alpha", "ALPHA", "bravo", "Charlie", "delta"}));
    EXPECT_EQ(t.find(0, "charlie"), 3);
    EXPECT_EQ(t.find(0, "Alpha"), 0) << "first match in table order";
    EXPECT_EQ(t.find(2, "ac#4"), 4);
    EXPECT_EQ(t.find(2, "AC#5"), 1);
    EXPECT_EQ(t.find(0, "alph"), -1) << "a prefix is not a match";
    EXPECT_EQ(t.find(0, "alphabet"), -1);
    // The lookups after removals and other changes are the next test's.
    EXPECT_THROW(t.find(1, "1"), std::logic_error);
}

TEST(TextTable, lookupsFindTheFirstMatchThroughEveryKindOfChange) {
    // Random adds (sorted and in batches), removals, cell changes and clears of a table whose keys
    // repeat in other letter case; after each, every lookup is the first match a walk would find.
    std::mt19937 random(2002);
    const char* const keys[] = {"kbfi", "KBFI", "ksea", "KSEA", "egll", "Lszh", "LSZH", "x", "X"};
    const auto key = [&] { return std::string(keys[random() % std::size(keys)]); };
    TextTable t(2, TextTable::Order::ByText, {0, 1});
    for (int step = 0; step < 3000; ++step) {
        const unsigned action = random() % 20;
        if (action < 10 || t.isEmpty()) {
            t.add({key(), key()});
        } else if (action < 13) {
            TextTable::Batch batch(t);
            for (int i = 0; i < 5; ++i) t.add({key(), key()});
        } else if (action < 17) {
            t.remove(static_cast<int>(random() % static_cast<unsigned>(t.rowCount())));
        } else if (action < 19) {
            t.setCell(static_cast<int>(random() % static_cast<unsigned>(t.rowCount())), 1, key());
        } else if (random() % 10 == 0) {
            t.clear();
        }
        for (const char* wanted : keys) {
            for (int column : {0, 1}) {
                int first = -1;
                for (int row = 0; row < t.rowCount() && first < 0; ++row)
                    if (EqualsIgnoringCase(t.cell(row, column), wanted)) first = row;
                ASSERT_EQ(t.find(column, wanted), first) << "step " << step << ", column " << column;
            }
        }
    }
}

TEST(TextTable, insertionOrderAndCellChanges) {
    TextTable t(2, TextTable::Order::Insertion, {0, 1});
    Recorder rec;
    t.observers().add(&rec);
    t.add({"b", "x"});
    t.add({"a", "x"});
    t.add({"B", "y"});
    EXPECT_EQ(Texts(t), (std::vector<std::string>{"b", "a", "B"}));
    EXPECT_EQ(t.find(1, "X"), 0);
    t.setCell(0, 1, "z");
    EXPECT_EQ(t.find(1, "x"), 1);
    EXPECT_EQ(t.find(1, "z"), 0);
    t.setCell(0, 1, "z"); // unchanged: no announcement
    EXPECT_EQ(rec.events,
              (std::vector<std::string>{"+?0-0", "+0-0", "+?1-1", "+1-1", "+?2-2", "+2-2", "c0,1"}));
    t.observers().remove(&rec);
}

TEST(TextTable, batchSortsOnceAndResets) {
    TextTable t(1, TextTable::Order::ByText, {0});
    Recorder rec;
    t.observers().add(&rec);
    {
        TextTable::Batch batch(t);
        for (const char* s : {"m", "c", "x", "a", "C"}) t.add({s});
    }
    EXPECT_EQ(Texts(t), (std::vector<std::string>{"a", "c", "C", "m", "x"}));
    EXPECT_EQ(t.find(0, "C"), 1);
    EXPECT_EQ(rec.events, (std::vector<std::string>{"reset?", "reset"}));
    t.observers().remove(&rec);
}

TEST(SortedList, headsStayInFront) {
    SortedList list;
    list.add("Boeing");
    list.add("airbus");
    list.setHeads({"Choose Aircraft", "---"});
    list.add("Cessna");
    list.add("ATR");
    EXPECT_EQ(list.entries(),
              (std::vector<std::string>{"Choose Aircraft", "---", "airbus", "ATR", "Boeing", "Cessna"}));
    EXPECT_EQ(list.indexOf("cessna"), 5);
    EXPECT_EQ(list.indexOf("choose aircraft"), 0);
    EXPECT_EQ(list.indexOf("Cess"), -1);
    EXPECT_TRUE(list.removeFirst("ATR"));
    EXPECT_FALSE(list.removeFirst("ATR"));
    EXPECT_EQ(list.count(), 5);
    {
        SortedList::Batch batch(list);
        list.add("Zeppelin");
        list.add("Antonov");
        EXPECT_EQ(list.indexOf("antonov"), 6);
    }
    EXPECT_EQ(list.entries(), (std::vector<std::string>{"Choose Aircraft", "---", "airbus", "Antonov",
                                                        "Boeing", "Cessna", "Zeppelin"}));
    list.clear();
    EXPECT_EQ(list.headCount(), 0);
}
