#pragma once
// Texts to numbers in one open-addressing table, for the check's walks over every flight: a lookup
// costs one hash and mostly one probe into one array, where a node-based map chases pointers. The
// texts are views; what they view must outlive the index.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

namespace corvane {

template <typename Hash = std::hash<std::string_view>, typename Equal = std::equal_to<std::string_view>>
class TextIndex {
public:
    explicit TextIndex(std::size_t expected = 16) { m_slots.resize(Capacity(expected)); }

    // The number stored for text, or -1.
    int find(std::string_view text) const {
        const std::size_t hash = Mixed(text);
        for (std::size_t i = hash & mask();; i = (i + 1) & mask()) {
            const Slot& slot = m_slots[i];
            if (slot.value < 0) return -1;
            if (slot.hash == hash && Equal()(slot.text, text)) return slot.value;
        }
    }

    // The number stored for text and false; or, when there is none, value (now stored) and true.
    std::pair<int, bool> insert(std::string_view text, int value) {
        if (2 * (m_count + 1) > m_slots.size()) grow();
        const std::size_t hash = Mixed(text);
        for (std::size_t i = hash & mask();; i = (i + 1) & mask()) {
            Slot& slot = m_slots[i];
            if (slot.value < 0) {
                slot = {text, hash, value};
                ++m_count;
                return {value, true};
            }
            if (slot.hash == hash && Equal()(slot.text, text)) return {slot.value, false};
        }
    }

private:
    struct Slot {
        std::string_view text;
        std::size_t hash = 0;
        int value = -1; // -1: free
    };

    // The hash with its high bits folded into the low ones that pick the slot.
    static std::size_t Mixed(std::string_view text) {
        std::uint64_t h = Hash()(text);
        h = (h ^ (h >> 31)) * 0xbf58476d1ce4e5b9ull;
        return static_cast<std::size_t>(h ^ (h >> 29));
    }
    static std::size_t Capacity(std::size_t expected) {
        std::size_t capacity = 16;
        while (capacity < 2 * expected) capacity *= 2;
        return capacity;
    }
    std::size_t mask() const { return m_slots.size() - 1; }
    void grow() {
        std::vector<Slot> old(m_slots.size() * 2);
        old.swap(m_slots);
        for (const Slot& slot : old) {
            if (slot.value < 0) continue;
            std::size_t i = slot.hash & mask();
            while (m_slots[i].value >= 0) i = (i + 1) & mask();
            m_slots[i] = slot;
        }
    }

    std::vector<Slot> m_slots;
    std::size_t m_count = 0;
};

} // namespace corvane
