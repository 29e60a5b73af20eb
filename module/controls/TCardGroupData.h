#pragma once

#include "cards/VestranoFunc.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The cards of one hand control, in display order, with what the control needs to keep
// them ordered (the comparison handler and AutoSort), the back shown on every card, and
// whether cards were deleted since the last left click.
class TCardGroupData {
public:
    // Compare > 0 puts Card2 before Card1.
    using TCardCompareEvent =
        std::function<void(TCardGroupData *Sender, const VestranoFunc::TCardInfo &Card1,
                           const VestranoFunc::TCardInfo &Card2, int &Compare)>;

    TCardGroupData();
    ~TCardGroupData();

    int Count() const { return static_cast<int>(m_items.size()); }
    bool IsIndex(int i) const { return i >= 0 && i < Count(); }
    const VestranoFunc::TCardInfo &Item(int i) const { return m_items[size_t(i)]; }
    VestranoFunc::TCardInfo &Item(int i) { return m_items[size_t(i)]; }

    // A record whose Index is not a card is not taken: every record names a card.
    void Add(const VestranoFunc::TCardInfo &info);
    void Delete(int i);
    void Clear();

    // An exchange sort by OnCompare; without a handler by descending Index.
    void Sort();

    // Card codes, in display order, of all cards, of the selected ones, of the washed
    // ones, and of those that print a value other than their own.
    std::string Cards() const;
    std::string SelectedCards() const;
    std::string HighlightedCards() const;
    std::string LabelledCards() const;

    // Walks the cards from the last to the first; each card whose code still occurs in
    // `cards` is handed to `claim` and that occurrence is used up. Of two copies of one
    // card the later is therefore taken first.
    void ClaimFromLast(std::string_view cards, const std::function<void(int)> &claim) const;

    bool AutoSort() const { return m_autoSort; }
    void SetAutoSort(bool on) { m_autoSort = on; }
    std::int32_t BackNumber() const { return m_backNumber; }
    void SetBackNumber(std::int32_t back) { m_backNumber = back; }
    bool CardsRemoved() const { return m_cardsRemoved; }
    void SetCardsRemoved(bool removed) { m_cardsRemoved = removed; }

    TCardCompareEvent OnCompare;

private:
    std::vector<VestranoFunc::TCardInfo> m_items;
    bool m_autoSort = false;
    std::int32_t m_backNumber = 0;
    bool m_cardsRemoved = false;
};
