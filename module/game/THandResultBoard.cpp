#include "game/THandResultBoard.h"

#include "common/Gbk.h"
#include "game/TTablePicture.h"
#include "game/TableGeometry.h"
#include "platform/ResourceImages.h"
#include "widgets/QtText.h"

#include <QPainter>

namespace {

constexpr QRgb Magenta = 0xFFFF00FF;
constexpr int FontPoints = 11;
constexpr int HeaderTop = 44;
constexpr std::array HeaderLeft = {62, 145, 216, 282};
constexpr int FirstRowTop = 70;
constexpr int RowStep = 26;
constexpr int NameLeft = 22;
constexpr int LineLeft = 150;
const QColor Maroon(128, 0, 0);

void WriteAt(QPainter &painter, int left, int top, const std::string &gbk) {
    painter.drawText(QRect(left, top, painter.device()->width() - left, RowStep),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, QtText::FromGbk(gbk));
}

} // namespace

THandResultBoard::THandResultBoard(QWidget *table)
    : QObject(table) {
    Board = new TTablePicture(table);
    Board->SetPicture(Platform::ResourceImage("KepVestrano_BITMAPSCORE"));
    Board->hide();
    Text = new TTablePicture(table);
    Text->hide();
    m_text = QImage(Board->size(), QImage::Format_ARGB32_Premultiplied);
    m_text.fill(Magenta);
    Text->SetKeyedPicture(m_text);
}

void THandResultBoard::Write(const std::array<TRow, 4> &rows, const std::string &scoreName,
                             const std::string &beanName) {
    m_text.fill(Magenta);
    QPainter painter(&m_text);
    QFont font = QtText::FontOfPointSize(QStringLiteral("宋体"), FontPoints);
    font.setBold(true);
    // Smoothed edges would blend into the key colour and leave a pink fringe.
    font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const std::array<std::string, 4> header = {"昵称"_gbk, "胜负"_gbk, scoreName, beanName};
    for (size_t i = 0; i < header.size(); ++i)
        WriteAt(painter, HeaderLeft[i], HeaderTop, header[i]);
    for (size_t i = 0; i < rows.size(); ++i) {
        const int top = FirstRowTop + RowStep * int(i);
        painter.setPen(rows[i].Own ? Maroon : QColor(Qt::black));
        WriteAt(painter, NameLeft, top, rows[i].Name);
        WriteAt(painter, LineLeft, top, rows[i].Line);
    }
    painter.end();
    Text->SetKeyedPicture(m_text);
}

void THandResultBoard::SetShown(bool shown) {
    Board->setVisible(shown);
    Text->setVisible(shown);
}

bool THandResultBoard::Shown() const {
    return !Board->isHidden();
}

void THandResultBoard::Layout() {
    const QPoint at = TableGeometry::BoardAt(Board->size());
    Board->move(at);
    Text->move(at);
}

void THandResultBoard::Raise() {
    Board->raise();
    Text->raise();
}
