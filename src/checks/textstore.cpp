#include "checks/textstore.h"

#include <algorithm>

namespace corvane {

void TextStore::begin() {
    if (m_blocks.empty()) m_blocks.emplace_back().reserve(kBlockSize);
    m_start = m_blocks.back().size();
}

void TextStore::append(std::string_view part) {
    if (m_blocks.back().size() + part.size() > m_blocks.back().capacity()) {
        // The text so far moves to a fresh block with it, so that a text never spans two blocks.
        std::string block;
        const std::size_t started = m_blocks.back().size() - m_start;
        block.reserve(std::max(kBlockSize, started + part.size()));
        if (started > 0) {
            block.append(m_blocks.back(), m_start, started);
            m_blocks.back().resize(m_start);
        }
        m_blocks.push_back(std::move(block));
        m_start = 0;
    }
    m_blocks.back() += part;
}

TextStore::Place TextStore::end() {
    return {static_cast<std::uint32_t>(m_blocks.size() - 1), static_cast<std::uint32_t>(m_start),
            static_cast<std::uint32_t>(m_blocks.back().size() - m_start)};
}

std::size_t TextStore::bytes() const {
    std::size_t total = 0;
    for (const std::string& block : m_blocks) total += block.capacity();
    return total;
}

void TextStore::clear() {
    // One block stays for the next texts.
    if (m_blocks.size() > 1) m_blocks.erase(m_blocks.begin(), m_blocks.end() - 1);
    if (!m_blocks.empty()) m_blocks.back().clear();
    m_start = 0;
}

} // namespace corvane
