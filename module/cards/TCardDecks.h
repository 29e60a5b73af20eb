#pragma once
// The deck of the current deal, in dealing order.

#include "cards/VestranoFunc.h"

#include <string>
#include <string_view>
#include <vector>

class TCardDecks final {
public:
    // Seeds the C library's generator from the clock (the module's random texts draw on it).
    TCardDecks();

    void Clear();
    // Indexes outside 0..53 are not cards and are ignored.
    void Add(VestranoFunc::TCardIndex index);
    std::size_t Count() const { return m_cards.size(); }
    const std::vector<VestranoFunc::TCardIndex> &Items() const { return m_cards; }

    std::string GetCards() const;
    // Replaces the content unless it is already cards; bytes that are not card codes drop.
    void SetCards(std::string_view cards);

    void BeginUpdate() { m_updating = true; }
    void EndUpdate() { m_updating = false; }
    bool Updating() const { return m_updating; }

private:
    std::vector<VestranoFunc::TCardIndex> m_cards;
    bool m_updating = false;
};
