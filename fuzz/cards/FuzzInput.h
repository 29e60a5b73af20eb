#pragma once
// Splits a fuzzer's bytes into the arguments of a rules function: small integers and byte
// strings, each string prefixed by its length (taken modulo a bound).

#include <cstddef>
#include <cstdint>
#include <string>

class FuzzInput final {
public:
    FuzzInput(const std::uint8_t *data, std::size_t size)
        : m_data(data)
        , m_size(size) {}

    std::uint8_t Byte() { return m_position < m_size ? m_data[m_position++] : 0; }

    int Int(int low, int high) { return low + Byte() % (high - low + 1); }

    std::string Text(std::size_t maxLength) {
        const std::size_t wanted = Byte() % (maxLength + 1);
        const std::size_t length = wanted < m_size - m_position ? wanted : m_size - m_position;
        std::string text(reinterpret_cast<const char *>(m_data + m_position), length);
        m_position += length;
        return text;
    }

    std::string Rest() {
        std::string text(reinterpret_cast<const char *>(m_data + m_position), m_size - m_position);
        m_position = m_size;
        return text;
    }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_position = 0;
};
