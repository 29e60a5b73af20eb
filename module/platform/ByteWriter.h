#pragma once
// Builds packets and records byte for byte: little-endian integers, short strings in
// fixed fields, raw bytes.

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

namespace Platform {

class ByteWriter {
public:
    ByteWriter &U8(uint8_t v) { return LE(v); }
    ByteWriter &U16LE(uint16_t v) { return LE(v); }
    ByteWriter &U32LE(uint32_t v) { return LE(v); }
    ByteWriter &I32LE(int32_t v) { return LE(v); }
    ByteWriter &U64LE(uint64_t v) { return LE(v); }
    ByteWriter &I64LE(int64_t v) { return LE(v); }

    ByteWriter &Bytes(std::string_view bytes) {
        m_bytes.append(bytes);
        return *this;
    }
    ByteWriter &Zeros(size_t count) {
        m_bytes.append(count, '\0');
        return *this;
    }
    // One length byte and a zero-padded field of `fieldSize` bytes; longer text is cut.
    ByteWriter &ShortString(std::string_view text, size_t fieldSize) {
        const size_t length = std::min({text.size(), fieldSize, size_t(255)});
        U8(uint8_t(length));
        m_bytes.append(text.substr(0, length));
        return Zeros(fieldSize - length);
    }

    // Overwrites two bytes already written, for length fields known only at the end.
    ByteWriter &PatchU16LE(size_t position, uint16_t v) {
        m_bytes.at(position) = char(v & 0xFF);
        m_bytes.at(position + 1) = char(v >> 8);
        return *this;
    }

    size_t Size() const { return m_bytes.size(); }
    const std::string &Data() const { return m_bytes; }
    std::string Take() { return std::move(m_bytes); }

private:
    template <typename T> ByteWriter &LE(T value) {
        const auto u = static_cast<std::make_unsigned_t<T>>(value);
        for (size_t i = 0; i < sizeof(T); ++i)
            m_bytes.push_back(char(uint8_t(u >> (8 * i))));
        return *this;
    }

    std::string m_bytes;
};

} // namespace Platform
