#pragma once
// The one bounds-checked reader every decoder uses. Integers are little-endian and
// named as such; every read returns std::optional and a failed read consumes nothing,
// so a decoder can stop at the first missing field with the reader unchanged.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace Platform {

class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> data)
        : m_data(data) {}
    ByteReader(const void *data, size_t size)
        : m_data(static_cast<const uint8_t *>(data), size) {}

    size_t Position() const { return m_pos; }
    size_t Remaining() const { return m_data.size() - m_pos; }
    bool AtEnd() const { return m_pos == m_data.size(); }

    std::optional<uint8_t> ReadU8() { return ReadLE<uint8_t>(); }
    std::optional<int8_t> ReadI8() { return ReadLE<int8_t>(); }
    std::optional<uint16_t> ReadU16LE() { return ReadLE<uint16_t>(); }
    std::optional<int16_t> ReadI16LE() { return ReadLE<int16_t>(); }
    std::optional<uint32_t> ReadU32LE() { return ReadLE<uint32_t>(); }
    std::optional<int32_t> ReadI32LE() { return ReadLE<int32_t>(); }
    std::optional<uint64_t> ReadU64LE() { return ReadLE<uint64_t>(); }
    std::optional<int64_t> ReadI64LE() { return ReadLE<int64_t>(); }

    std::optional<std::span<const uint8_t>> ReadBytes(size_t count) {
        if (count > Remaining())
            return std::nullopt;
        auto bytes = m_data.subspan(m_pos, count);
        m_pos += count;
        return bytes;
    }

    // `count` raw bytes as a byte string.
    std::optional<std::string> ReadText(size_t count) {
        const auto bytes = ReadBytes(count);
        if (!bytes)
            return std::nullopt;
        return std::string(reinterpret_cast<const char *>(bytes->data()), bytes->size());
    }

    // A short string: one length byte and a field of `fieldSize` bytes. The length is
    // capped at the field size, so a lying length byte never reads past the field.
    std::optional<std::string> ReadShortString(size_t fieldSize) {
        if (fieldSize + 1 > Remaining())
            return std::nullopt;
        const size_t length = std::min<size_t>(m_data[m_pos], fieldSize);
        std::string text(reinterpret_cast<const char *>(m_data.data() + m_pos + 1), length);
        m_pos += fieldSize + 1;
        return text;
    }

    // Everything that is left, as a byte string.
    std::string ReadRest() {
        std::string text(reinterpret_cast<const char *>(m_data.data() + m_pos), Remaining());
        m_pos = m_data.size();
        return text;
    }

    bool Skip(size_t count) {
        if (count > Remaining())
            return false;
        m_pos += count;
        return true;
    }

    // Moves to an absolute offset inside the data.
    bool Seek(size_t position) {
        if (position > m_data.size())
            return false;
        m_pos = position;
        return true;
    }

private:
    template <typename T> std::optional<T> ReadLE() {
        if (sizeof(T) > Remaining())
            return std::nullopt;
        std::make_unsigned_t<T> value = 0;
        for (size_t i = 0; i < sizeof(T); ++i)
            value |= static_cast<std::make_unsigned_t<T>>(m_data[m_pos + i]) << (8 * i);
        m_pos += sizeof(T);
        return static_cast<T>(value);
    }

    std::span<const uint8_t> m_data;
    size_t m_pos = 0;
};

} // namespace Platform
