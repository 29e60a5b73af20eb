#pragma once
// Random card strings for the differential tests and the benchmarks: raw bytes, hands
// dealt from the two decks, and plays of every shape slightly disturbed (a card changed,
// added or dropped, jokers sprinkled in).

#include "cards/VestranoFunc.h"

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>

class CardGenerator final {
public:
    explicit CardGenerator(std::uint64_t seed)
        : m_random(seed) {}

    int Int(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    bool Chance(int percent) { return Int(0, 99) < percent; }

    char Card() { return VestranoFunc::CardChars[Int(0, 53)]; }
    char Joker() { return Chance(50) ? '0' : '1'; }
    // A card of the rank (0 ace .. 12 king) in a random suit.
    char CardOfRank(int rank) { return VestranoFunc::CardChars[Int(0, 3) * 13 + rank]; }

    // Mostly card codes, sometimes any byte at all.
    std::string Bytes(int maxLength) {
        std::string text;
        const int length = Int(0, maxLength);
        for (int i = 0; i < length; ++i)
            text += Chance(75) ? Card() : static_cast<char>(Int(0, 255));
        return text;
    }

    // size cards dealt from the 108 of two decks.
    std::string Hand(int size) {
        std::string deck;
        for (int copy = 0; copy < 2; ++copy)
            deck += VestranoFunc::CardChars;
        std::shuffle(deck.begin(), deck.end(), m_random);
        return deck.substr(0, static_cast<std::size_t>(std::clamp(size, 0, 108)));
    }

    // A legal play of a random shape (no jokers standing in).
    std::string Play() {
        std::string cards;
        const auto ranks = [&](int first, int count, int times) {
            for (int i = 0; i < count; ++i)
                for (int t = 0; t < times; ++t)
                    cards += CardOfRank(RunRank(first + i));
        };
        switch (Int(0, 10)) {
        case 0:
            cards += Chance(80) ? Card() : Joker();
            break;
        case 1:
        case 2:
            if (Chance(15)) {
                cards = std::string(2, Joker());
            } else {
                ranks(Int(1, 13), 1, Int(2, 3));
            }
            break;
        case 3:
            ranks(Int(1, 13), 1, Int(4, 12));
            break;
        case 4: {
            const int triple = Int(0, 12);
            int pair = Int(0, 12);
            pair = pair == triple ? (pair + 1) % 13 : pair;
            cards = std::string(3, CardOfRank(triple));
            cards += Chance(15) ? std::string(2, Joker()) : std::string(2, CardOfRank(pair));
            break;
        }
        case 5:
            ranks(Int(1, 10), 5, 1);
            break;
        case 6: {
            const int length = Int(2, 13);
            ranks(Int(1, 15 - length), length, 2);
            break;
        }
        case 7: {
            const int length = Int(2, 9);
            ranks(Int(1, 15 - length), length, 3);
            break;
        }
        case 8:
        case 9: {
            const int k = Int(2, 5);
            int triples = Int(1, 15 - k);
            int pairs = Int(1, 15 - k);
            ranks(triples, k, 3);
            ranks(pairs, k, 2);
            break;
        }
        default:
            cards = "1100";
            break;
        }
        return Shuffled(cards);
    }

    // A play disturbed: cards changed, added or dropped, and 0..4 of them made jokers.
    std::string NearPlay() {
        std::string cards = Play();
        if (Chance(30) && !cards.empty())
            cards[Int(0, static_cast<int>(cards.size()) - 1)] = Card();
        if (Chance(15))
            cards += Card();
        if (Chance(15) && !cards.empty())
            cards.erase(static_cast<std::size_t>(Int(0, static_cast<int>(cards.size()) - 1)), 1);
        const int jokers = Int(0, 4);
        for (int i = 0; i < jokers && !cards.empty(); ++i) {
            if (Chance(70))
                cards[Int(0, static_cast<int>(cards.size()) - 1)] = Joker();
            else
                cards += Joker();
        }
        return Shuffled(cards);
    }

    std::string Shuffled(std::string cards) {
        if (Chance(70))
            std::shuffle(cards.begin(), cards.end(), m_random);
        return cards;
    }

    std::mt19937_64 &Engine() { return m_random; }

private:
    // Ranks of RunOrder by 1-based position: 1 and 14 are the ace.
    static int RunRank(int position) { return position == 1 || position == 14 ? 0 : 14 - position; }

    std::mt19937_64 m_random;
};
