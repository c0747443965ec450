#include "platform/TextBlocks.h"

#include "platform/HugePages.h"

#include <algorithm>
#include <functional>

QChar *TextBlocks::take(qsizetype chars)
{
    if (chars <= 0)
        return nullptr;
    if (chars > m_left) {
        // Each block twice the one before, up to a limit: few blocks for a year's records.
        const qsizetype size = std::max(chars, kFirstBlockChars << std::min<size_t>(m_blocks.size(), 4));
        m_blocks.reserve(m_blocks.size() + 1);
        char16_t *block = HugePageAllocator<char16_t>().allocate(size_t(size));
        m_blocks.push_back({block, size});
        m_next = reinterpret_cast<QChar *>(block);
        m_left = size;
    }
    QChar *room = m_next;
    m_next += chars;
    m_left -= chars;
    return room;
}

bool TextBlocks::holds(const QChar *text) const
{
    const std::less<const void *> before;
    return std::any_of(m_blocks.begin(), m_blocks.end(), [&](const Block &block) {
        return !before(text, block.chars) && before(text, block.chars + block.size);
    });
}

void TextBlocks::clear()
{
    for (const Block &block : m_blocks)
        HugePageAllocator<char16_t>().deallocate(block.chars, size_t(block.size));
    m_blocks.clear();
    m_next = nullptr;
    m_left = 0;
}
