#include "core/block_allocator.h"

#include <sys/mman.h>

namespace core {

void* AllocateBlock(std::size_t bytes) {
    constexpr std::size_t kHugePage = 2u << 20;
    void* block = nullptr;
    if (bytes >= kHugePage) {
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
