#include "cards/TCardDecks.h"

#include <cstdlib>
#include <ctime>

TCardDecks::TCardDecks() {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
}

void TCardDecks::Clear() {
    m_cards.clear();
}

void TCardDecks::Add(VestranoFunc::TCardIndex index) {
    if (index < VestranoFunc::CardCount)
        m_cards.push_back(index);
}

std::string TCardDecks::GetCards() const {
    std::string cards;
    cards.reserve(m_cards.size());
    for (const VestranoFunc::TCardIndex index : m_cards)
        cards.push_back(VestranoFunc::CardChars[index]);
    return cards;
}

void TCardDecks::SetCards(std::string_view cards) {
    if (cards == GetCards())
        return;
    BeginUpdate();
    // The flag must not stay set when an allocation fails.
    struct EndUpdateGuard {
        TCardDecks &decks;
        ~EndUpdateGuard() { decks.EndUpdate(); }
    } guard{*this};
    Clear();
    for (const char c : cards) {
        const int index = VestranoFunc::CardIndexOf(c);
        if (index >= 0)
            Add(static_cast<VestranoFunc::TCardIndex>(index));
    }
}
