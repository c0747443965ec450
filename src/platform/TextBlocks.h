#pragma once

#include <QChar>
#include <QtGlobal>

#include <vector>

// Room for many texts in a few large blocks, handed out in order and freed all together: the
// cell texts of thousands of rows cost a few allocations instead of one a row. What a block leaves
// unused is never touched, so it costs no memory.
class TextBlocks
{
public:
    TextBlocks() = default;
    ~TextBlocks() { clear(); }
    TextBlocks(const TextBlocks &) = delete;
    TextBlocks &operator=(const TextBlocks &) = delete;

    // Room for `chars` characters, valid until clear(); none for none.
    QChar *take(qsizetype chars);
    // Whether `text` points into a block.
    bool holds(const QChar *text) const;
    bool isEmpty() const { return m_blocks.empty(); }
    void clear();

private:
    struct Block
    {
        char16_t *chars = nullptr;
        qsizetype size = 0;
    };
    static constexpr qsizetype kFirstBlockChars = qsizetype(1) << 21;

    std::vector<Block> m_blocks;
    QChar *m_next = nullptr;
    qsizetype m_left = 0;
};
