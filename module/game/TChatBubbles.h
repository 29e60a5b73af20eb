#pragma once
// What a seated player just said, in a speech bubble beside the seat for about six
// seconds. One renderer per seat writes the text; the pictures belong to the screen
// positions, so a bubble follows its seat when the places turn.

#include <QImage>
#include <QObject>
#include <QTimer>

#include <array>
#include <cstdint>
#include <memory>
#include <string>

class TLovelyChat;
class TTablePicture;
class TVestranoClient;

class TChatBubbles final : public QObject {
    Q_OBJECT

public:
    static constexpr int AgeInterval = 1000;
    static constexpr int32_t LastAge = 7;
    static constexpr int FontPoints = 9;
    // The text bitmap leaves the bubble's tail free.
    static constexpr int TextShorter = 5;

    explicit TChatBubbles(TVestranoClient &client);
    ~TChatBubbles() override;

    // OnChatLine: the text as it is shown, and the bubble of every seat of that user.
    void ShowLine(const std::string &text, int64_t userId);
    // BubbleTimerTick.
    void Tick();
    void SetHideBubbles(bool on);
    bool HideBubbles() const { return m_hideBubbles; }

    void Refresh();
    void Layout();
    void Raise();

    // What a chat line shows in a bubble: without the leading "7" of a special action
    // and the part in parentheses after it, with emoticon names as their codes.
    static std::string BubbleText(std::string_view line);

    TLovelyChat &Renderer(int seat) { return *m_renderers[size_t(seat)]; }
    const QImage &TextBitmap(int seat) const { return m_bitmaps[size_t(seat)]; }
    const QTimer &Timer() const { return m_timer; }

    std::array<int32_t, 4> BubbleAge{};
    // By screen position.
    std::array<TTablePicture *, 4> Pictures{};
    std::array<TTablePicture *, 4> Texts{};

private:
    TVestranoClient &m_client;
    std::array<std::unique_ptr<TLovelyChat>, 4> m_renderers;
    std::array<QImage, 4> m_bitmaps;
    // The bitmaps as shown, magenta made transparent once per line.
    std::array<QImage, 4> m_keyed;
    QTimer m_timer;
    bool m_hideBubbles = false;
};
