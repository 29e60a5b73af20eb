#include "panels/TPluginDialog50.h"

#include "common/Gbk.h"
#include "platform/ResourceImages.h"
#include "widgets/QtText.h"
#include "widgets/TImageList.h"
#include "widgets/TLovelyButton.h"
#include "widgets/TLovelyTextBtn.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QListWidget>
#include <QPainter>
#include <QRegularExpression>

namespace {

constexpr int TextButtonStates = 4;
constexpr int InitialWidth = 300;
constexpr int InitialHeight = 150;
constexpr int SkinTitleHeight = 24;

// The skin used until the window gives the dialog a picture of its own: a light body
// under a blue title strip, framed in the title's shadow colour. The panel stretches it
// from its centre like any skin.
QImage DefaultSkin() {
    QImage skin(InitialWidth, InitialHeight, QImage::Format_ARGB32_Premultiplied);
    skin.fill(QColor(0xF5, 0xFB, 0xEC));
    QPainter painter(&skin);
    QLinearGradient title(0, 0, 0, SkinTitleHeight);
    title.setColorAt(0, QColor(0x4A, 0x7C, 0xD0));
    title.setColorAt(1, QColor(0x1E, 0x46, 0x9A));
    painter.fillRect(QRect(0, 0, InitialWidth, SkinTitleHeight), title);
    painter.setPen(QColor(0x0A, 0x18, 0x83));
    painter.drawRect(skin.rect().adjusted(0, 0, -1, -1));
    return skin;
}

// Enter and Escape answer in the list as they do on the panel.
class AnsweringList final : public QListWidget {
public:
    AnsweringList(QWidget *parent, std::function<void(int)> answer)
        : QListWidget(parent)
        , m_answer(std::move(answer)) {}

protected:
    void keyPressEvent(QKeyEvent *event) override {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
            m_answer(TCustomPluginDialog::drOk);
        else if (event->key() == Qt::Key_Escape)
            m_answer(TCustomPluginDialog::drCancel);
        else
            QListWidget::keyPressEvent(event);
    }

private:
    std::function<void(int)> m_answer;
};

} // namespace

TPluginDialog50::TPluginDialog50(QWidget *parent)
    : TCustomPluginDialog(parent)
    , m_buttonImages(new TImageList(this))
    , m_closeImages(new TImageList(this))
    , m_ok(new TLovelyTextBtn(this))
    , m_cancel(new TLovelyTextBtn(this))
    , m_close(new TLovelyButton(this)) {
    setObjectName("PluginDialog501");
    m_buttonImages->AddStrip(Platform::ResourceImage("KepVestrano_LISTBUTTON"), TextButtonStates);
    m_closeImages->AddStrip(Platform::ResourceImage("KepVestrano_LISTCLOSE"), TextButtonStates);
    for (auto *button : {m_ok, m_cancel})
        button->SetImages(m_buttonImages);
    m_close->SetImages(m_closeImages);
    m_ok->SetCaption("确定"_gbk);
    m_cancel->SetCaption("取消"_gbk);
    m_ok->OnClick = [this](TLovelyButton *) {
        SetModalResult(drOk);
    };
    m_cancel->OnClick = [this](TLovelyButton *) {
        SetModalResult(drCancel);
    };
    m_close->OnClick = [this](TLovelyButton *) {
        SetModalResult(drClosed);
    };
    m_list = new AnsweringList(this, [this](int result) { SetModalResult(result); });
    m_list->setFrameShape(QFrame::NoFrame);
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { SetModalResult(drOk); });

    SetPicture(DefaultSkin());
    SetCenterX(InitialWidth / 2);
    SetCenterY(InitialHeight / 2);
    SetTitleHeight(SkinTitleHeight);
    SetTitleLeft(50);
    SetTitleShadowColor(QColor(0x0A, 0x18, 0x83));
    SetTitleColor(QColor(0xFF, 0xFF, 0xFF));
    setFocusPolicy(Qt::StrongFocus);
    hide();
    resize(InitialWidth, InitialHeight);
    LayOut();
}

TPluginDialog50::~TPluginDialog50() = default;

// A message counts down towards OK, a question towards cancel; either way running out
// of time answers 0.
void TPluginDialog50::SetLife(int remaining) {
    TCustomPluginDialog::SetLife(remaining);
    TLovelyTextBtn *button = Kind() == 0 ? m_ok : m_cancel;
    const std::string caption = Kind() == 0 ? "确定"_gbk : "取消"_gbk;
    button->SetCaption(remaining > 0 ? caption + "(" + std::to_string(remaining) + ")" : caption);
}

void TPluginDialog50::SetKind(uint8_t kind) {
    TCustomPluginDialog::SetKind(kind);
    m_ok->SetCaption("确定"_gbk);
    m_cancel->SetCaption("取消"_gbk);
    LayOut();
}

void TPluginDialog50::SetText(const std::string &text) {
    TCustomPluginDialog::SetText(text);
    update();
}

int TPluginDialog50::SelectedIndex() {
    return m_list->currentRow();
}

void TPluginDialog50::SetSelectedIndex(int index) {
    m_list->setCurrentRow(index);
}

void TPluginDialog50::SetItems(const std::optional<std::vector<std::string>> &items) {
    TCustomPluginDialog::SetItems(items);
    m_list->clear();
    for (const auto &item : Items())
        m_list->addItem(QtText::FromGbk(item));
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
}

void TPluginDialog50::SetButtonBottomSpace(int value) {
    m_buttonBottomSpace = value;
    LayOut();
}

void TPluginDialog50::SetCloseTop(int value) {
    m_closeTop = value;
    LayOut();
}

void TPluginDialog50::SetCloseRight(int value) {
    m_closeRight = value;
    LayOut();
}

void TPluginDialog50::SetSelectSpaces(int left, int top, int right, int bottom) {
    m_selectLeft = left;
    m_selectTop = top;
    m_selectRight = right;
    m_selectBottom = bottom;
    LayOut();
}

void TPluginDialog50::LayOut() {
    const int w = width();
    const int h = height();
    const int okWidth = m_ok->width();
    const int okHeight = m_ok->height();
    const int buttonTop = h - okHeight - m_buttonBottomSpace;

    m_list->setVisible(Kind() == 2);
    const int listLeft = m_selectLeft;
    const int listTop = TitleHeight() + m_selectTop;
    m_list->setGeometry(listLeft, listTop, w - listLeft - m_selectRight - 5,
                        h - listTop - okHeight - m_buttonBottomSpace - m_selectBottom);

    m_cancel->setVisible(Kind() == 1 || Kind() == 2);
    m_close->move(w - m_close->width() - m_closeRight, m_closeTop);
    if (Kind() == 0) {
        m_ok->move((w - okWidth) / 2, buttonTop);
    } else if (Kind() <= 2) {
        const int gap = (w - 2 * okWidth) / 3;
        m_ok->move(gap, buttonTop);
        m_cancel->move(2 * gap + okWidth, buttonTop);
    } else {
        m_ok->move(m_ok->x(), buttonTop);
    }
    RebuildBackground();
    update();
}

QRect TPluginDialog50::TextArea() const {
    return QRect(
        QPoint(m_selectLeft, TitleHeight()),
        QPoint(width() - m_selectRight - 1, height() - m_ok->height() - m_buttonBottomSpace - 1));
}

QRect TPluginDialog50::TextLineRect(int line, int lines) const {
    return TextArea().translated(0, LineSpacing * line - LineSpacing / 2 * (lines - 1));
}

void TPluginDialog50::resizeEvent(QResizeEvent *event) {
    TCustomPluginDialog::resizeEvent(event);
    LayOut();
}

void TPluginDialog50::paintEvent(QPaintEvent *event) {
    TCustomPluginDialog::paintEvent(event);
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(Qt::black);
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
    const QStringList lines = QtText::FromGbk(Text()).split(lineBreak);
    for (int i = 0; i < lines.size(); ++i)
        painter.drawText(TextLineRect(i, static_cast<int>(lines.size())),
                         Qt::AlignCenter | Qt::TextSingleLine, lines[i]);
}
