#include "checks/textindex.h"
#include "checks/textstore.h"
#include "traffic/text.h"

#include <gtest/gtest.h>

using namespace corvane;

TEST(TextStore, textsStayWholeAcrossBlocks) {
    TextStore store;
    std::vector<std::pair<TextStore::Place, std::string>> written;
    // Texts of every length up to more than a block, in several parts each, so that some cross the end
    // of a block while being written.
    for (std::size_t i = 0; i < 3000; ++i) {
        const std::size_t length = i == 1500 ? (3u << 20) : (i * 7919) % 2000;
        std::string text;
        for (std::size_t j = 0; j < length; ++j) text += static_cast<char>('a' + (i + j) % 26);
        store.begin();
        const std::size_t half = text.size() / 2;
        store.append(std::string_view(text).substr(0, half));
        store.append(std::string_view(text).substr(half));
        written.emplace_back(store.end(), std::move(text));
    }
    for (const auto& [place, text] : written) ASSERT_EQ(store.text(place), text);

    const std::size_t filled = store.bytes();
    store.clear();
    EXPECT_LE(store.bytes() * 4, filled) << "a cleared store keeps one block, not all";
    store.begin();
    const TextStore::Place empty = store.end();
    EXPECT_EQ(store.text(empty), "");
    store.begin();
    store.append("after clear");
    EXPECT_EQ(store.text(store.end()), "after clear");
}

TEST(TextIndex, findsWhatWasInsertedAcrossGrowth) {
    std::vector<std::string> texts;
    for (int i = 0; i < 5000; ++i) texts.push_back("K" + std::to_string(i * 7));
    TextIndex<> index;
    for (std::size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(index.insert(texts[i], static_cast<int>(i)), std::make_pair(static_cast<int>(i), true));
    for (std::size_t i = 0; i < texts.size(); ++i) {
        ASSERT_EQ(index.find(texts[i]), static_cast<int>(i));
        EXPECT_EQ(index.insert(texts[i], -5), std::make_pair(static_cast<int>(i), false))
            << "the first stays";
    }
    EXPECT_EQ(index.find("K1"), -1);
    EXPECT_EQ(index.find(""), -1);
    EXPECT_EQ(index.insert("", 7), std::make_pair(7, true));
    EXPECT_EQ(index.find(""), 7);

    TextIndex<HashIgnoringCase, EqualIgnoringCase> folded(2);
    folded.insert("n123", 0);
    EXPECT_EQ(folded.find("N123"), 0);
    EXPECT_EQ(folded.insert("N123", 1), std::make_pair(0, false));
}
