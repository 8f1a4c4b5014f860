#include "core/block_allocator.h"

#include <sys/mman.h>

namespace core {

void* AllocateBlock(std::size_t bytes) {
    constexpr std::size_t kHugePage = 2u << 20;
    // Only for really large blocks (a big reply): the kernel may have to make
    // room for huge pages first, which costs more than it saves on smaller ones.
    constexpr std::size_t kHugeBlock = 32u << 20;
    void* block = nullptr;
    if (bytes >= kHugeBlock) {
        const std::size_t rounded = (bytes + kHugePage - 1) & ~(kHugePage - 1);
        block = std::aligned_alloc(kHugePage, rounded);
        if (block) madvise(block, rounded, MADV_HUGEPAGE);  // only advice: failure changes nothing
    } else {
        block = std::malloc(bytes == 0 ? 1 : bytes);
    }
    if (!block) ReportAllocationFailure(bytes);
    return block;
}

}  // namespace core
