#pragma once
// Many short texts kept one after another in blocks that never move: a million messages cost a few
// dozen allocations, no text is copied when more are added, and a text's place stays valid until the
// store is cleared.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class TextStore {
public:
    // Where a text lies.
    struct Place {
        std::uint32_t block = 0;
        std::uint32_t offset = 0;
        std::uint32_t size = 0;
    };

    // A text is written by begin(), any number of append() and end(), which tells where it lies.
    void begin();
    void append(std::string_view part);
    Place end();

    std::string_view text(const Place& place) const {
        return std::string_view(m_blocks[place.block]).substr(place.offset, place.size);
    }
    void clear();
    // The memory the blocks take.
    std::size_t bytes() const;

private:
    static constexpr std::size_t kBlockSize = 1u << 20;

    std::vector<std::string> m_blocks;
    std::size_t m_start = 0; // of the text being written, in the last block
};

} // namespace corvane
