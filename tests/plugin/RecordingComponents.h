#pragma once
// Components that write every call the hub makes into one shared log, as
// "Operation(arguments)" lines, so tests can check what reached whom and in what order.

#include "plugin/TCustomPluginAction.h"
#include "plugin/TCustomPluginChat.h"
#include "plugin/TCustomPluginClient.h"
#include "plugin/TCustomPluginDialog.h"
#include "plugin/TCustomPluginEvents.h"
#include "plugin/TCustomPluginOption.h"
#include "plugin/TCustomPluginScore.h"
#include "plugin/TCustomPluginUser.h"

#include <QTimer>

#include <functional>
#include <string>
#include <utility>
#include <vector>

using CallLog = std::vector<std::string>;

inline std::string Hex(std::span<const uint8_t> bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (uint8_t b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

class RecordingUser : public TCustomPluginUser {
public:
    explicit RecordingUser(CallLog &log)
        : m_log(log) {}
    void UserRightsChanged(uint8_t level, int64_t id) override {
        Log("User.RightsChanged(" + std::to_string(level) + "," + std::to_string(id) + ")");
    }
    void AddUsers(std::span<const STRU_PLUGIN_USERINFO> records) override {
        Log("User.AddUsers(" + std::to_string(records.size()) + ")");
    }
    void UpdateUser(const STRU_PLUGIN_USERINFO &record) override {
        Log("User.UpdateUser(" + std::to_string(record.UserId) + ")");
        TCustomPluginUser::UpdateUser(record);
    }
    void RemoveUser(int64_t id) override { Log("User.RemoveUser(" + std::to_string(id) + ")"); }
    void SetUserSeat(uint8_t seat, uint8_t player, uint8_t valid, int64_t id) override {
        Log("User.SetUserSeat(" + std::to_string(seat) + "," + std::to_string(player) + "," +
            std::to_string(valid) + "," + std::to_string(id) + ")");
        TCustomPluginUser::SetUserSeat(seat, player, valid, id);
    }
    void SetScores(uint8_t phase, std::span<const TSettlementEntry> entries) override {
        Log("User.SetScores(" + std::to_string(phase) + "," + std::to_string(entries.size()) + ")");
    }
    void UserNetDelayChanged(int32_t delay, int64_t id) override {
        Log("User.NetDelay(" + std::to_string(delay) + "," + std::to_string(id) + ")");
    }
    void AdminListChanged(const std::string &text, int64_t id) override {
        Log("User.AdminList(" + text + "," + std::to_string(id) + ")");
    }
    void List147Changed(const std::string &text, int64_t id) override {
        Log("User.List147(" + text + "," + std::to_string(id) + ")");
    }
    void ConfigurationApplied() override { Log("User.ConfigurationApplied()"); }
    void Initialize() override { Log("User.Initialize()"); }
    void Finalize() override { Log("User.Finalize()"); }
    void LoadOptions() override { Log("User.LoadOptions()"); }
    void BeforeFinalize() override { Log("User.BeforeFinalize()"); }

private:
    void Log(std::string line) { m_log.push_back(std::move(line)); }
    CallLog &m_log;
};

class RecordingChat : public TCustomPluginChat {
public:
    explicit RecordingChat(CallLog &log)
        : m_log(log) {}
    void SetLocked(bool flag) override {
        TCustomPluginChat::SetLocked(flag);
        m_log.push_back("Chat.SetLocked(" + std::to_string(flag) + ")");
    }
    void AddLine(const std::string &text, int64_t kind) override {
        m_log.push_back("Chat.AddLine(" + text + "," + std::to_string(kind) + ")");
    }
    void InsertText(const std::string &text, bool keep) override {
        m_log.push_back("Chat.InsertText(" + text + "," + std::to_string(keep) + ")");
    }
    void Initialize() override { m_log.push_back("Chat.Initialize()"); }
    void Finalize() override { m_log.push_back("Chat.Finalize()"); }
    void LoadOptions() override { m_log.push_back("Chat.LoadOptions()"); }
    void BeforeFinalize() override { m_log.push_back("Chat.BeforeFinalize()"); }

private:
    CallLog &m_log;
};

class RecordingClient : public TCustomPluginClient {
public:
    explicit RecordingClient(CallLog &log)
        : m_log(log) {}
    void OnGameChannel0(int32_t value, int64_t id) override {
        Log("Client.Channel0(" + std::to_string(value) + "," + std::to_string(id) + ")");
    }
    void OnGameChannel1(int32_t value, int64_t id) override {
        Log("Client.Channel1(" + std::to_string(value) + "," + std::to_string(id) + ")");
    }
    void OnGameChannel2(int32_t value, std::span<const uint8_t> data, int64_t id) override {
        Log("Client.Channel2(" + std::to_string(value) + "," + Hex(data) + "," +
            std::to_string(id) + ")");
    }
    void OnGameRecord(std::span<const uint8_t> record, int64_t sender) override {
        Log("Client.GameRecord(" + Hex(record) + "," + std::to_string(sender) + ")");
        TCustomPluginClient::OnGameRecord(record, sender);
    }
    void OnSeatReady(int seat) override { Log("Client.SeatReady(" + std::to_string(seat) + ")"); }
    void OnWatchPermission(bool flag) override {
        Log("Client.WatchPermission(" + std::to_string(flag) + ")");
    }
    void OnMood(uint8_t seat, const std::string &mood, int64_t id, int64_t target) override {
        Log("Client.Mood(" + std::to_string(seat) + "," + mood + "," + std::to_string(id) + "," +
            std::to_string(target) + ")");
    }
    void OnGameStart() override { Log("Client.GameStart()"); }
    void OnGameOver() override { Log("Client.GameOver()"); }
    void OnChatLine(const std::string &text, int64_t kind) override {
        Log("Client.ChatLine(" + text + "," + std::to_string(kind) + ")");
    }
    void OnSafeBoxReply(std::span<const uint8_t> payload) override {
        Log("Client.SafeBox(" + Hex(payload) + ")");
    }
    void OnServerText(const std::string &text) override { Log("Client.ServerText(" + text + ")"); }
    void OnExpelNotice(uint8_t phase, const std::string &reason, int64_t target,
                       int64_t initiator) override {
        Log("Client.Expel(" + std::to_string(phase) + "," + reason + "," + std::to_string(target) +
            "," + std::to_string(initiator) + ")");
    }
    void OnAdminNotice(uint8_t byte, const std::string &text, int64_t id) override {
        Log("Client.AdminNotice(" + std::to_string(byte) + "," + text + "," + std::to_string(id) +
            ")");
    }
    void OnRightsChanged(uint8_t level, int64_t id) override {
        Log("Client.RightsChanged(" + std::to_string(level) + "," + std::to_string(id) + ")");
    }
    void OnUserListReceived(std::span<const STRU_PLUGIN_USERINFO> records) override {
        Log("Client.UserList(" + std::to_string(records.size()) + ")");
    }
    void OnUserEntered(const STRU_PLUGIN_USERINFO &record) override {
        Log("Client.UserEntered(" + std::to_string(record.UserId) + ")");
    }
    void OnUserLeft(int64_t id) override { Log("Client.UserLeft(" + std::to_string(id) + ")"); }
    void OnSeatChanged(uint8_t seat, uint8_t player, uint8_t valid, int64_t id) override {
        Log("Client.SeatChanged(" + std::to_string(seat) + "," + std::to_string(player) + "," +
            std::to_string(valid) + "," + std::to_string(id) + ")");
    }
    void OnSettlement(uint8_t phase, std::span<const TSettlementEntry> entries) override {
        Log("Client.Settlement(" + std::to_string(phase) + "," + std::to_string(entries.size()) +
            ")");
    }
    void OnNetDelay(int32_t delay, int64_t id) override {
        Log("Client.NetDelay(" + std::to_string(delay) + "," + std::to_string(id) + ")");
    }
    void OnKickNotice(uint8_t type, const std::string &reason, int64_t target,
                      int64_t op) override {
        Log("Client.Kick(" + std::to_string(type) + "," + reason + "," + std::to_string(target) +
            "," + std::to_string(op) + ")");
    }
    void OnSnapshot(std::span<const uint8_t> snapshot) override {
        Log("Client.Snapshot(" + Hex(snapshot) + ")");
    }
    void OnSeatTaken(const std::string &name, uint16_t face, uint8_t seat, int64_t id) override {
        Log("Client.SeatTaken(" + name + "," + std::to_string(face) + "," + std::to_string(seat) +
            "," + std::to_string(id) + ")");
    }
    void OnSeatLeft(uint8_t seat, int64_t id) override {
        Log("Client.SeatLeft(" + std::to_string(seat) + "," + std::to_string(id) + ")");
    }
    void OnHubStarted() override {
        Log("Client.OnHubStarted()");
        TCustomPluginClient::OnHubStarted();
    }
    void OnHubClosing() override { Log("Client.OnHubClosing()"); }
    void OnOptionsLoaded() override { Log("Client.OnOptionsLoaded()"); }
    void OnHubStopping() override { Log("Client.OnHubStopping()"); }
    bool ShowResultsInChat() override { return ShowResults; }
    bool CanLeaveFreely() override { return LeaveFreely; }

    bool ShowResults = true;
    bool LeaveFreely = false;

private:
    void Log(std::string line) { m_log.push_back(std::move(line)); }
    CallLog &m_log;
};

class RecordingScore : public TCustomPluginScore {
public:
    explicit RecordingScore(CallLog &log)
        : m_log(log) {}
    void SetScores(uint8_t phase, std::span<const TSettlementEntry> entries) override {
        m_log.push_back("Score.SetScores(" + std::to_string(phase) + "," +
                        std::to_string(entries.size()) + ")");
    }
    void Initialize() override { m_log.push_back("Score.Initialize()"); }
    void Finalize() override { m_log.push_back("Score.Finalize()"); }
    void LoadOptions() override { m_log.push_back("Score.LoadOptions()"); }
    void BeforeFinalize() override { m_log.push_back("Score.BeforeFinalize()"); }

private:
    CallLog &m_log;
};

class RecordingEvents : public TCustomPluginEvents {
public:
    explicit RecordingEvents(CallLog &log)
        : m_log(log) {}
    void ShowEvent(const std::string &text) override {
        m_log.push_back("Events.ShowEvent(" + text + ")");
    }

private:
    CallLog &m_log;
};

// A dialog that answers at once with a chosen result instead of waiting.
class AnsweringDialog : public TCustomPluginDialog {
public:
    explicit AnsweringDialog(CallLog &log)
        : m_log(log) {}
    int Execute() override {
        m_log.push_back("Dialog.Execute(" + Caption().toStdString() + "," + std::to_string(Kind()) +
                        "," + std::to_string(LifeCount()) + ")");
        Texts.push_back(Text());
        if (Nested) {
            // The real nested wait: the dialog is busy while WhileOpen runs from the loop.
            QTimer::singleShot(0, this, [this] {
                if (auto work = std::exchange(WhileOpen, nullptr))
                    work();
                if (Running())
                    SetModalResult(Answer);
            });
            return TCustomPluginDialog::Execute();
        }
        if (WhileOpen)
            WhileOpen();
        SetText({});
        return Answer;
    }
    int SelectedIndex() override { return Selected; }
    void Initialize() override { m_log.push_back("Dialog.Initialize()"); }
    void Finalize() override { m_log.push_back("Dialog.Finalize()"); }
    void LoadOptions() override { m_log.push_back("Dialog.LoadOptions()"); }
    void BeforeFinalize() override { m_log.push_back("Dialog.BeforeFinalize()"); }

    int Answer = 1;
    int Selected = -1;
    // Runs TLovelyPanel's own nested wait, so that the dialog reports itself busy.
    bool Nested = false;
    // Runs while the dialog is "open", as packets would in the nested wait.
    std::function<void()> WhileOpen;
    std::vector<std::string> Texts;

private:
    CallLog &m_log;
};
