#include "ChaChaRandom.h"

#include <bit>
#include <random>

namespace {

constexpr std::array<uint32_t, 4> Sigma = {0x61707865, 0x3320646e, 0x79622d32, 0x6b206574};
constexpr int DoubleRounds = 10;
constexpr size_t CounterWord = 12;

void QuarterRound(std::array<uint32_t, 16> &x, size_t a, size_t b, size_t c, size_t d) {
    x[a] += x[b], x[d] = std::rotl(x[d] ^ x[a], 16);
    x[c] += x[d], x[b] = std::rotl(x[b] ^ x[c], 12);
    x[a] += x[b], x[d] = std::rotl(x[d] ^ x[a], 8);
    x[c] += x[d], x[b] = std::rotl(x[b] ^ x[c], 7);
}

} // namespace

ChaChaRandom::ChaChaRandom(const Key &key) {
    for (size_t i = 0; i < Sigma.size(); ++i)
        m_state[i] = Sigma[i];
    for (size_t i = 0; i < key.size(); ++i)
        m_state[4 + i] = key[i];
}

ChaChaRandom::Key ChaChaRandom::SystemKey() {
    std::random_device device;
    Key key{};
    for (auto &word : key)
        word = device();
    return key;
}

uint32_t ChaChaRandom::Next() {
    if (m_used == m_block.size())
        Refill();
    return m_block[m_used++];
}

uint32_t ChaChaRandom::Below(uint32_t bound) {
    const uint32_t limit = UINT32_MAX - UINT32_MAX % bound;
    for (;;) {
        const uint32_t value = Next();
        if (value < limit)
            return value % bound;
    }
}

void ChaChaRandom::Refill() {
    m_block = m_state;
    for (int i = 0; i < DoubleRounds; ++i) {
        QuarterRound(m_block, 0, 4, 8, 12);
        QuarterRound(m_block, 1, 5, 9, 13);
        QuarterRound(m_block, 2, 6, 10, 14);
        QuarterRound(m_block, 3, 7, 11, 15);
        QuarterRound(m_block, 0, 5, 10, 15);
        QuarterRound(m_block, 1, 6, 11, 12);
        QuarterRound(m_block, 2, 7, 8, 13);
        QuarterRound(m_block, 3, 4, 9, 14);
    }
    for (size_t i = 0; i < m_block.size(); ++i)
        m_block[i] += m_state[i];
    if (++m_state[CounterWord] == 0)
        ++m_state[CounterWord + 1];
    m_used = 0;
}
