#include "platform/HugePages.h"

#include <QtGlobal>

#include <cstdint>

#ifdef Q_OS_LINUX
#include <sys/mman.h>

void adviseHugePages(const void *begin, size_t bytes)
{
    constexpr std::uintptr_t kHugePage = kHugePageBytes;
    const auto start = reinterpret_cast<std::uintptr_t>(begin);
    const std::uintptr_t from = (start + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t to = (start + bytes) & ~(kHugePage - 1);
    // Advice only: without huge pages the block is still there, in small pages.
    if (to > from)
        ::madvise(reinterpret_cast<void *>(from), to - from, MADV_HUGEPAGE);
}
#else
void adviseHugePages(const void *, size_t)
{ }
#endif
