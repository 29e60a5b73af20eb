#include "controls/TCardGroupData.h"

#include <utility>

using VestranoFunc::TCardInfo;

namespace {

char CodeOf(const TCardInfo &info) {
    return VestranoFunc::CardChars[info.Index];
}

template <typename Predicate>
std::string CodesWhere(const std::vector<TCardInfo> &items, Predicate wanted) {
    std::string codes;
    for (const TCardInfo &info : items) {
        if (wanted(info))
            codes += CodeOf(info);
    }
    return codes;
}

} // namespace

TCardGroupData::TCardGroupData() = default;

TCardGroupData::~TCardGroupData() = default;

void TCardGroupData::Add(const TCardInfo &info) {
    if (info.Index < VestranoFunc::CardCount)
        m_items.push_back(info);
}

void TCardGroupData::Delete(int i) {
    if (IsIndex(i))
        m_items.erase(m_items.begin() + i);
}

void TCardGroupData::Clear() {
    m_items.clear();
}

void TCardGroupData::Sort() {
    const int count = Count();
    for (int i = 0; i + 1 < count; ++i) {
        for (int j = i + 1; j < count; ++j) {
            int compare = 0;
            if (OnCompare)
                OnCompare(this, m_items[size_t(i)], m_items[size_t(j)], compare);
            else
                compare = m_items[size_t(i)].Index < m_items[size_t(j)].Index ? 1 : 0;
            if (compare > 0)
                std::swap(m_items[size_t(i)], m_items[size_t(j)]);
        }
    }
}

std::string TCardGroupData::Cards() const {
    return CodesWhere(m_items, [](const TCardInfo &) { return true; });
}

std::string TCardGroupData::SelectedCards() const {
    return CodesWhere(m_items, [](const TCardInfo &info) { return info.Selected; });
}

std::string TCardGroupData::HighlightedCards() const {
    return CodesWhere(m_items,
                      [](const TCardInfo &info) { return info.Tint != VestranoFunc::clNone; });
}

std::string TCardGroupData::LabelledCards() const {
    return CodesWhere(m_items, [](const TCardInfo &info) {
        return info.ShownValue != 0 && info.ShownValue != info.Value;
    });
}

void TCardGroupData::ClaimFromLast(std::string_view cards,
                                   const std::function<void(int)> &claim) const {
    std::string remaining(cards);
    for (int i = Count() - 1; i >= 0 && !remaining.empty(); --i) {
        const size_t at = remaining.find(CodeOf(m_items[size_t(i)]));
        if (at == std::string::npos)
            continue;
        remaining.erase(at, 1);
        claim(i);
    }
}
