// Memory for the items of one catalogue, in large blocks.
#include "model/item_arena.h"

#include <algorithm>

void* ItemArena::Take(std::size_t size, std::size_t alignment) {
    std::size_t start = (used + alignment - 1) / alignment * alignment;
    if (blocks.empty() || start + size > room) {
        // A piece larger than a block gets a block of its own size.
        const std::size_t blockSize = std::max(size, kBlockSize);
        blocks.push_back(std::make_unique_for_overwrite<std::byte[]>(blockSize));
        room = blockSize;
        start = 0;
    }
    used = start + size;
    return blocks.back().get() + start;
}
