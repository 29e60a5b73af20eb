#include "game/TTableLabel.h"

#include "widgets/QtText.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

TTableLabel::TTableLabel(QWidget *parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_NoSystemBackground);
    FitText();
}

void TTableLabel::SetText(const std::string &gbk) {
    if (gbk == m_text)
        return;
    m_text = gbk;
    m_shown = QtText::FromGbk(gbk);
    FitText();
}

void TTableLabel::SetColor(const QColor &color) {
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void TTableLabel::SetTextFont(const QFont &font) {
    setFont(font);
    FitText();
}

void TTableLabel::FitText() {
    const QFontMetrics metrics(font());
    resize(std::max(1, metrics.horizontalAdvance(m_shown)), metrics.height());
    update();
}

void TTableLabel::paintEvent(QPaintEvent *) {
    if (m_shown.isEmpty())
        return;
    QPainter painter(this);
    painter.setPen(m_color);
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_shown);
}

void TTableLabel::mousePressEvent(QMouseEvent *event) {
    event->ignore();
}
