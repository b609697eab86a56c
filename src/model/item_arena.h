// Memory for the items of one catalogue: taken from the heap in large blocks and given back
// all at once, so that building the catalogue costs a few heap blocks instead of one per row.
#ifndef TRUV_MODEL_ITEM_ARENA_H
#define TRUV_MODEL_ITEM_ARENA_H

#include <cstddef>
#include <memory>
#include <vector>

class ItemArena {
public:
    ItemArena() = default;
    ItemArena(const ItemArena&) = delete;
    ItemArena& operator=(const ItemArena&) = delete;

    /// `size` bytes aligned to `alignment` (at most the alignment of new), valid until the arena
    /// is destroyed. Throws std::bad_alloc as new does.
    void* Take(std::size_t size, std::size_t alignment);

private:
    /// The blocks' size: room for the items of a few dozen rows.
    static constexpr std::size_t kBlockSize = 16 * 1024;

    std::vector<std::unique_ptr<std::byte[]>> blocks;
    std::size_t used = 0;  // of the last block
    std::size_t room = 0;  // of the last block
};

#endif  // TRUV_MODEL_ITEM_ARENA_H
