#pragma once
// The three values every routine passes around.
//
// Text    8-bit bytes in code page 936 (GBK) that can hold no zero byte, or null.
// ByteSet any bytes, zeros included, or null.
// Both: null and the empty block are the same empty value for every primitive;
// only a platform call that is handed the pointer itself (CStr, Data) can tell
// them apart. Primitives that build a value give null for an empty result.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "core/block_allocator.h"

namespace core {

inline constexpr int kNotFound = -1;

class Text {
public:
    Text() = default;  // null
    // A literal is a block, "" included; a null pointer is the null text.
    Text(const char* s) {  // NOLINT(google-explicit-constructor): literals read naturally
        if (s) m_bytes.emplace(s);
    }
    // A block holding the bytes up to the first zero byte, if any.
    explicit Text(std::string_view bytes) : m_bytes(std::in_place, bytes.substr(0, bytes.find('\0'))) {}

    // Takes the block over without a copy, cut at its first zero byte; null when
    // nothing is left.
    static Text Adopt(Bytes&& bytes) {
        Text text;
        const std::size_t end = bytes.find('\0');
        if (end != Bytes::npos) bytes.resize(end);
        if (!bytes.empty()) text.m_bytes.emplace(std::move(bytes));
        return text;
    }

    bool IsNull() const { return !m_bytes; }
    bool IsEmpty() const { return !m_bytes || m_bytes->empty(); }
    int Length() const { return m_bytes ? static_cast<int>(m_bytes->size()) : 0; }
    std::string_view View() const { return m_bytes ? std::string_view(*m_bytes) : std::string_view(); }
    std::string Str() const { return std::string(View()); }
    // The pointer a platform call receives: null for the null text.
    const char* CStr() const { return m_bytes ? m_bytes->c_str() : nullptr; }

private:
    std::optional<Bytes> m_bytes;
};

// Byte for byte; null and the empty text are equal.
inline bool operator==(const Text& a, const Text& b) { return a.View() == b.View(); }

class ByteSet {
public:
    ByteSet() = default;  // null
    explicit ByteSet(std::string_view bytes) : m_bytes(std::in_place, bytes) {}
    // Takes the block over without a copy.
    static ByteSet Adopt(Bytes&& bytes) {
        ByteSet set;
        set.m_bytes.emplace(std::move(bytes));
        return set;
    }

    bool IsNull() const { return !m_bytes; }
    bool IsEmpty() const { return !m_bytes || m_bytes->empty(); }
    int Length() const { return m_bytes ? static_cast<int>(m_bytes->size()) : 0; }
    std::string_view View() const { return m_bytes ? std::string_view(*m_bytes) : std::string_view(); }
    const std::uint8_t* Data() const {
        return m_bytes ? reinterpret_cast<const std::uint8_t*>(m_bytes->data()) : nullptr;
    }

private:
    std::optional<Bytes> m_bytes;
};

inline bool operator==(const ByteSet& a, const ByteSet& b) { return a.View() == b.View(); }

// Null when bytes is empty, as every building primitive gives.
inline Text MakeText(std::string_view bytes) {
    bytes = bytes.substr(0, bytes.find('\0'));
    return bytes.empty() ? Text() : Text(bytes);
}
inline ByteSet MakeBytes(std::string_view bytes) { return bytes.empty() ? ByteSet() : ByteSet(bytes); }

}  // namespace core
