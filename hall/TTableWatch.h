#pragma once
// What the hall reads of the table packets it passes to the module: the names of the
// users (kinds 9 and 10), the settlement of each hand (kind 16), the table snapshot
// (kind 3 sub-kind 18) and the end of each hand (kind 3 sub-kind 50). The module decodes
// every packet itself; this is only what the hall reports and counts. Packets too short
// for their layout are passed over.

#include <QString>

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

class TTableWatch final {
public:
    enum class TEvent { None, OwnUserListed, Snapshot, HandOver };

    explicit TTableWatch(int64_t ownUserId)
        : m_ownUserId(ownUserId) {}

    TEvent Observe(std::string_view packet);
    int HandsOver() const { return m_handsOver; }
    // The settlement of the hand that ended last, as "name change (total), ...", empty
    // when none came with it.
    QString HandSettlement() const { return m_handSettlement; }
    QString NameOf(int64_t userId) const;

private:
    bool ReadUserRecord(std::string_view record);
    void ReadSettlement(std::string_view body);

    int64_t m_ownUserId;
    std::map<int64_t, std::string> m_names;
    QString m_settlement;
    QString m_handSettlement;
    int m_handsOver = 0;
};
