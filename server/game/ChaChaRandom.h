#pragma once
// A ChaCha20 keystream as a random source: the deal must not be predictable from earlier
// deals, which a plain Mersenne twister would allow. Seeded with a 256-bit key; tests pass
// a fixed key to replay a deal.

#include <array>
#include <cstddef>
#include <cstdint>

class ChaChaRandom final {
public:
    using Key = std::array<uint32_t, 8>;

    explicit ChaChaRandom(const Key &key);
    // A key from the operating system's entropy source.
    static Key SystemKey();

    uint32_t Next();
    // Uniform in 0..bound-1 without modulo bias; bound > 0.
    uint32_t Below(uint32_t bound);

private:
    void Refill();

    std::array<uint32_t, 16> m_state{};
    std::array<uint32_t, 16> m_block{};
    std::size_t m_used = 16;
};
