// Card code, card strings and their multiset operations.

#include "cards/CardTables.h"
#include "cards/VestranoFunc.h"

#include <algorithm>
#include <array>
#include <utility>

namespace VestranoFunc {

using namespace Tables;

namespace {

// The exchange sort exactly as the hand orders are defined: bytes that are not card codes
// (all of position 0) end up in the order this particular sort leaves equal keys in.
std::string ExchangeSort(std::string_view cards, bool bigFirst) {
    std::string result(cards);
    for (std::size_t i = 0; i + 1 < result.size(); ++i) {
        for (std::size_t j = i + 1; j < result.size(); ++j) {
            const int pi = At(CardOrderPositions, result[i]);
            const int pj = At(CardOrderPositions, result[j]);
            if (bigFirst ? pj < pi : pj > pi)
                std::swap(result[i], result[j]);
        }
    }
    return result;
}

} // namespace

int CardIndexOf(char code) {
    const std::uint8_t index = At(CardIndexes, code);
    return index == NoRank ? -1 : index;
}

bool IsCardCode(char code) {
    return At(CardIndexes, code) != NoRank;
}

bool IsCardString(std::string_view cards) {
    return std::all_of(cards.begin(), cards.end(), IsCardCode);
}

std::uint8_t SuitOf(TCardIndex index) {
    return static_cast<std::uint8_t>(index < SmallJokerIndex ? index / 13 : JokerSuit);
}

std::uint8_t ValueOf(TCardIndex index) {
    if (index == SmallJokerIndex)
        return SmallJokerValue;
    if (index == BigJokerIndex)
        return BigJokerValue;
    return static_cast<std::uint8_t>(index % 13 + 1);
}

TCardInfo CardInfoOf(TCardIndex index, std::int32_t back) {
    TCardInfo info;
    info.Index = index;
    info.Suit = SuitOf(index);
    info.Value = ValueOf(index);
    info.Back = back;
    return info;
}

char RankOf(char card) {
    return RankLetters[static_cast<unsigned char>(card)];
}

int FaceValueOf(char card) {
    const std::uint8_t rank = At(CardRanks, card);
    return rank == NoRank ? 0 : rank + 1;
}

std::string CardsToRanks(std::string_view cards) {
    std::string ranks(cards.size(), '\0');
    for (std::size_t i = 0; i < cards.size(); ++i)
        ranks[i] = RankOf(cards[i]);
    return ranks;
}

std::string SortCards(std::string_view cards, bool bigFirst) {
    // Each card code has its own position, so equal keys are equal bytes and a counting
    // sort gives the exchange sort's result; other bytes need the exchange sort itself.
    std::array<std::uint8_t, CardCount + 1> counts{};
    for (const char c : cards) {
        const std::uint8_t position = At(CardOrderPositions, c);
        if (position == 0)
            return ExchangeSort(cards, bigFirst);
        ++counts[position];
    }
    std::string sorted;
    sorted.reserve(cards.size());
    for (std::size_t k = 1; k <= CardCount; ++k) {
        const std::size_t position = bigFirst ? k : CardCount + 1 - k;
        sorted.append(counts[position], CardOrder[position - 1]);
    }
    return sorted;
}

bool HasTwo(std::string_view cards) {
    return std::any_of(cards.begin(), cards.end(),
                       [](char c) { return c == 'B' || c == 'b' || c == 'O' || c == 'o'; });
}

bool ContainsCards(std::string_view hand, std::string_view cards) {
    if (cards.size() > hand.size())
        return false;
    std::array<int, 256> counts{};
    for (const char c : hand)
        ++counts[static_cast<unsigned char>(c)];
    for (const char c : cards) {
        if (--counts[static_cast<unsigned char>(c)] < 0)
            return false;
    }
    return true;
}

std::string RemoveCards(std::string_view source, std::string_view cards) {
    // Deleting the first remaining occurrence once per byte of cards deletes, per byte
    // value, its first occurrences as many times as cards holds it.
    std::array<std::size_t, 256> counts{};
    for (const char c : cards)
        ++counts[static_cast<unsigned char>(c)];
    std::string result;
    result.reserve(source.size());
    for (const char c : source) {
        std::size_t &count = counts[static_cast<unsigned char>(c)];
        if (count > 0)
            --count;
        else
            result.push_back(c);
    }
    return result;
}

std::string RepeatEach(std::string_view chars, int count, std::string_view separator) {
    std::string result;
    const std::size_t times = count > 0 ? static_cast<std::size_t>(count) : 0;
    for (std::size_t i = 0; i < chars.size(); ++i) {
        if (i > 0)
            result.append(separator);
        result.append(times, chars[i]);
    }
    return result;
}

std::string SortChars(std::string_view text, bool ascending) {
    std::array<std::size_t, 256> counts{};
    for (const char c : text)
        ++counts[static_cast<unsigned char>(c)];
    std::string sorted;
    sorted.reserve(text.size());
    for (int k = 0; k < 256; ++k) {
        const int value = ascending ? k : 255 - k;
        sorted.append(counts[value], static_cast<char>(value));
    }
    return sorted;
}

} // namespace VestranoFunc
