#include "game/TChatBubbles.h"

#include "common/Emoticons.h"
#include "game/TTablePicture.h"
#include "game/TVestranoClient.h"
#include "game/TableGeometry.h"
#include "panels/TLovelyChat.h"
#include "platform/ResourceImages.h"
#include "widgets/TImageList.h"

#include <algorithm>

namespace TG = TableGeometry;

namespace {

constexpr char SpecialActionMark = '7';
constexpr QRgb Magenta = 0xFFFF00FF;

} // namespace

TChatBubbles::TChatBubbles(TVestranoClient &client)
    : QObject(&client)
    , m_client(client) {
    for (size_t position = 0; position < Pictures.size(); ++position) {
        const bool lowerRight = position == TG::posBottom || position == TG::posRight;
        Pictures[position] = new TTablePicture(&client);
        Pictures[position]->SetPicture(Platform::ResourceImage(
            lowerRight ? "KepVestrano_BITMAPDIALOG1" : "KepVestrano_BITMAPDIALOG2"));
        Pictures[position]->hide();
        Texts[position] = new TTablePicture(&client);
        Texts[position]->hide();
    }
    const QSize bubble = Pictures[0]->size();
    for (size_t seat = 0; seat < m_renderers.size(); ++seat) {
        m_renderers[seat] = std::make_unique<TLovelyChat>();
        // The bubble pictures are light: the renderer's white would not show on them.
        m_renderers[seat]->SetFont(QStringLiteral("宋体"), FontPoints, Qt::black);
        m_renderers[seat]->SetWidth(bubble.width());
        m_renderers[seat]->SetHeight(bubble.height() - TextShorter);
        m_bitmaps[seat] = QImage(bubble.width(), bubble.height() - TextShorter,
                                 QImage::Format_ARGB32_Premultiplied);
        m_bitmaps[seat].fill(Magenta);
        m_renderers[seat]->SetCanvas(&m_bitmaps[seat]);
    }
    m_timer.setInterval(AgeInterval);
    connect(&m_timer, &QTimer::timeout, this, [this] { Tick(); });
}

TChatBubbles::~TChatBubbles() = default;

std::string TChatBubbles::BubbleText(std::string_view line) {
    std::string text(line);
    if (!text.empty() && text.front() == SpecialActionMark) {
        text.erase(0, 1);
        if (const size_t open = text.rfind('('); open != std::string::npos)
            text.resize(open);
    }
    return Emoticons::ReplaceNames(text);
}

void TChatBubbles::ShowLine(const std::string &line, int64_t userId) {
    const std::string text = BubbleText(line);
    const auto &seats = m_client.Table().Seats();
    bool shown = false;
    for (size_t seat = 0; seat < seats.size(); ++seat) {
        if (seats[seat].UserId != userId)
            continue;
        TLovelyChat &renderer = *m_renderers[seat];
        renderer.ClearLines();
        renderer.AddBubbleLine(text, 0, renderer.FontColor(), FontPoints);
        m_keyed[seat] = TTablePicture::KeyedOut(m_bitmaps[seat]);
        BubbleAge[seat] = 1;
        shown = true;
    }
    if (!shown)
        return;
    m_timer.start();
    Refresh();
    m_client.update();
}

void TChatBubbles::Tick() {
    for (int32_t &age : BubbleAge)
        if (age > 0 && ++age >= LastAge)
            age = 0;
    if (std::none_of(BubbleAge.begin(), BubbleAge.end(), [](int32_t age) { return age > 0; }))
        m_timer.stop();
    Refresh();
    m_client.update();
}

void TChatBubbles::SetHideBubbles(bool on) {
    if (on == m_hideBubbles)
        return;
    m_hideBubbles = on;
    BubbleAge.fill(0);
    Refresh();
    m_client.update();
}

void TChatBubbles::Refresh() {
    const TVestranoTable &table = m_client.Table();
    for (size_t seat = 0; seat < BubbleAge.size(); ++seat) {
        const auto position = size_t(table.RelativePosition(int(seat)));
        const bool shown = BubbleAge[seat] >= 1 && !m_hideBubbles;
        Pictures[position]->setVisible(shown);
        Texts[position]->setVisible(shown);
        if (shown)
            Texts[position]->SetPicture(m_keyed[seat]);
    }
}

void TChatBubbles::Layout() {
    for (size_t position = 0; position < Pictures.size(); ++position) {
        Pictures[position]->move(TG::BubbleAt[position]);
        Texts[position]->move(TG::BubbleAt[position] + TG::BubbleTextOffset);
    }
}

void TChatBubbles::Raise() {
    for (size_t position = 0; position < Pictures.size(); ++position) {
        Pictures[position]->raise();
        Texts[position]->raise();
    }
}
