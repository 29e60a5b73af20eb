#include "game/HandResultText.h"

#include "common/Gbk.h"

namespace {

// |value × scale| does not fit 64 bits for every pair, so it is formed in 128.
std::string Magnitude(int64_t value, int64_t scale) {
    const auto magnitude = [](int64_t v) {
        return v < 0 ? static_cast<unsigned __int128>(-(v + 1)) + 1
                     : static_cast<unsigned __int128>(v);
    };
    unsigned __int128 product = magnitude(value) * magnitude(scale);
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + int(product % 10)));
        product /= 10;
    } while (product != 0);
    return digits;
}

const char *Sign(int64_t value) {
    return value >= 0 ? "+" : "-";
}

} // namespace

namespace HandResultText {

std::string NameCell(std::string_view displayName) {
    return Gbk::PadRight(Gbk::Left(displayName, NameBytes), NameBytes);
}

std::string LineCell(int64_t value1, int64_t value2, int64_t scale1, int64_t scale2) {
    static const std::string won = "胜"_gbk;
    static const std::string lost = "负"_gbk;
    return Gbk::PadRight(Won(value1, value2) ? won : lost, ResultBytes) + Sign(value1) +
           Gbk::PadRight(Magnitude(value1, scale1), FirstValueBytes) + Sign(value2) +
           Magnitude(value2, scale2);
}

std::string_view SoundOf(bool won) {
    return won ? "win111.wav" : "Run111.wav";
}

} // namespace HandResultText
