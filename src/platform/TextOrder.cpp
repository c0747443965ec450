#include "platform/TextOrder.h"

#include <algorithm>

namespace {
constexpr qsizetype kHeadChars = 7;
constexpr char16_t kFirstSurrogate = 0xD800;
} // namespace

namespace TextOrder {

int compare(QStringView a, QStringView b)
{
    const qsizetype common = std::min(a.size(), b.size());
    const char16_t *x = a.utf16();
    const char16_t *y = b.utf16();
    for (qsizetype i = 0; i < common; ++i) {
        if (x[i] == y[i])
            continue;
        // Surrogates are left to Qt, whose order of them is its own to define.
        if (x[i] >= kFirstSurrogate || y[i] >= kFirstSurrogate)
            return a.compare(b, Qt::CaseSensitive);
        return int(x[i]) - int(y[i]);
    }
    return int(a.size() > b.size()) - int(a.size() < b.size());
}

quint64 head(QStringView key, qsizetype skip)
{
    if (key.size() < skip)
        return kWide;
    const QStringView rest = key.sliced(skip);
    const qsizetype used = std::min(rest.size(), kHeadChars);
    quint64 packed = 0;
    for (qsizetype i = 0; i < kHeadChars; ++i) {
        const char16_t ch = i < used ? rest[i].unicode() : 0;
        if (ch > 0xFF)
            return kWide;
        packed = (packed << 8) | ch;
    }
    return (packed << 8) | (quint64(used) << 2) | (rest.size() > kHeadChars ? kLonger : 0);
}

} // namespace TextOrder
