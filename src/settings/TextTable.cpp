#include "settings/TextTable.h"

bool TextTable::set(int index, const QString &text)
{
    if (index < 0 || index >= kSize)
        return false;
    m_texts[size_t(index)] = text;
    return true;
}
