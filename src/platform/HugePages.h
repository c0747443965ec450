#pragma once

#include <cstddef>

// Asks the system to back a large block that is about to be filled with huge pages: a grid of a
// year's records would otherwise cost thousands of page faults, each dearer than filling its page.
// Only whole huge pages inside the block are advised; nothing happens where the system has no
// such advice.
void adviseHugePages(const void *begin, size_t bytes);
