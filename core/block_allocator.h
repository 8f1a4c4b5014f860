#pragma once
// Allocator for the blocks behind Text, ByteSet and TextArray.
//
// The program has no way to go on without memory for a value, so a block that
// cannot be had ends it through FatalError with the size that was asked for,
// instead of an exception that no caller is prepared for.

#include <cstddef>
#include <cstdlib>
#include <string>

namespace core {

[[noreturn]] void ReportAllocationFailure(std::size_t bytes);

// A block of at least `bytes` (never null: a failure is reported and ends the
// program), released with std::free. Very large blocks are asked to be backed
// by huge pages, so that filling one costs a few page faults instead of thousands.
void* AllocateBlock(std::size_t bytes);

template <class T>
struct BlockAllocator {
    using value_type = T;

    BlockAllocator() = default;
    template <class U>
    BlockAllocator(const BlockAllocator<U>&) noexcept {}

    T* allocate(std::size_t n) {
        if (n > static_cast<std::size_t>(-1) / sizeof(T)) ReportAllocationFailure(static_cast<std::size_t>(-1));
        return static_cast<T*>(AllocateBlock(n * sizeof(T)));
    }
    void deallocate(T* p, std::size_t) noexcept { std::free(p); }

    template <class U>
    bool operator==(const BlockAllocator<U>&) const noexcept { return true; }
};

// The bytes of one value block, without the terminator.
using Bytes = std::basic_string<char, std::char_traits<char>, BlockAllocator<char>>;

}  // namespace core
