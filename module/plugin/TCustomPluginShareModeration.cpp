// The hub's moderation: expel votes and kicks, asked and answered through the message
// dialog.

#include "plugin/TCustomPluginShare.h"

#include "common/Gbk.h"
#include "plugin/OutgoingPackets.h"
#include "widgets/QtText.h"

namespace PP = PluginPackets;

// ---- Moderation ------------------------------------------------------------------

void TCustomPluginShare::ExpelNotice(uint8_t phase, const std::string &reason, int64_t target,
                                     int64_t initiator) {
    if (m_pluginClient)
        m_pluginClient->OnExpelNotice(phase, reason, target, initiator);
    const int64_t own = OwnUserId();
    if (phase == 1) {
        if (m_pluginDialog && target != own && initiator != own && OwnIsPlayer() && !DialogBusy()) {
            const std::string text = "是否同意将玩家\""_gbk + UserDisplayName(target) +
                                     "\"驱逐? \r\n原因："_gbk + reason;
            if (AskDialog("驱逐"_gbk, 1, text, 30))
                SendExpel(1, reason, target);
        }
    } else if (phase == 2) {
        if (target != own) {
            RelayChatLine("玩家\""_gbk + UserDisplayName(target) +
                              "\"已被驱逐离开房间。\r\n原因："_gbk + reason,
                          LineNotice);
        } else if (!m_gameRunning || !OwnIsPlayer()) {
            RefuseTable();
            if (m_pluginDialog && !m_pluginDialog->isVisible()) {
                PlaySound("Public_Error.wav");
                AskDialog("退出"_gbk, 0,
                          "其他玩家请您离开此桌,请换桌继续游戏!\r\n原因："_gbk + reason, 10);
            }
            StopPlugin();
        }
    } else if (phase == 0 && initiator == own) {
        const std::string name = UserDisplayName(target);
        if (m_pluginDialog) {
            PlaySound("Public_Error.wav");
            AskDialog("无效驱逐"_gbk, 0,
                      "驱逐玩家\""_gbk + name + "\"无效\r\n原因：\""_gbk + reason + "\"", 10);
        } else {
            RelayChatLine("驱逐玩家\""_gbk + name + "\"无效，原因：\""_gbk + reason + "\"",
                          LineNotice);
        }
    }
}

void TCustomPluginShare::ProposeKick(uint8_t type, int64_t target) {
    if (target == OwnUserId() || OwnRights() == 0 || (OwnRights() <= 1 && type == 2))
        return;
    std::string reason = "阻碍游戏"_gbk;
    if (m_pluginDialog) {
        if (DialogBusy())
            return;
        static const char *const captions[] = {"请选择踢出的原因", "请选择24小时踢出的原因",
                                               "请选择永久踢出的原因"};
        const std::vector<std::string> reasons = {"阻碍游戏"_gbk, "说脏话"_gbk, "有作弊嫌疑"_gbk};
        const std::string caption = type < 3 ? Gbk::FromUtf8(captions[type]) : std::string();
        if (!AskDialog(caption, 2, {}, 60, reasons))
            return;
        const int chosen = m_pluginDialog ? m_pluginDialog->SelectedIndex() : -1;
        if (chosen >= 0 && chosen < static_cast<int>(reasons.size()))
            reason = reasons[static_cast<size_t>(chosen)];
    }
    SendKick(type, reason, target);
}

void TCustomPluginShare::KickNotice(uint8_t type, const std::string &reason, int64_t target,
                                    int64_t op) {
    if (m_pluginClient)
        m_pluginClient->OnKickNotice(type, reason, target, op);
    static const char *const names[] = {"踢出", "24小时踢出", "永久踢出"};
    if (type > 2)
        return;
    const std::string typeName = Gbk::FromUtf8(names[type]);
    if (target != OwnUserId()) {
        RelayChatLine(UserDisplayName(target) + "已经被管理员"_gbk + typeName + ",原因："_gbk +
                          reason,
                      LineNotice);
        return;
    }
    RefuseTable();
    if (m_pluginDialog) {
        PlaySound("Public_Error.wav");
        AskDialog("执行踢出"_gbk, 0, "您已经被管理员"_gbk + typeName + "。\r\n原因："_gbk + reason,
                  3);
    }
    StopPlugin();
}

bool TCustomPluginShare::DialogBusy() const {
    return m_pluginDialog && m_pluginDialog->Running();
}

bool TCustomPluginShare::AskDialog(const std::string &caption, uint8_t kind,
                                   const std::string &text, int life,
                                   const std::optional<std::vector<std::string>> &items) {
    if (!m_pluginDialog)
        return false;
    m_pluginDialog->SetCaption(QtText::FromGbk(caption));
    m_pluginDialog->SetKind(kind);
    m_pluginDialog->SetText(text);
    if (items)
        m_pluginDialog->SetItems(items);
    m_pluginDialog->SetLifeCount(life);
    const int result = m_pluginDialog->Execute();
    return result == 1 || result == 6;
}

void TCustomPluginShare::ShowTip(const std::string &text) {
    if (!m_pluginDialog || DialogBusy())
        return;
    try {
        AskDialog("提示"_gbk, 0, text, 3);
    } catch (...) {
        // A tip is a courtesy: whatever goes wrong while it is up is not the caller's.
    }
}
