#include "widgets/TLovelyPanel.h"

#include <QPainter>

TLovelyPanel::TLovelyPanel(QWidget *parent)
    : QWidget(parent)
{}

TLovelyPanel::~TLovelyPanel() = default;

void TLovelyPanel::SetPicture(const QImage &picture)
{
    m_picture = picture;
    RebuildBackground();
}

void TLovelyPanel::SetCenterX(int value)
{
    m_centerX = value;
    RebuildBackground();
}

void TLovelyPanel::SetCenterY(int value)
{
    m_centerY = value;
    RebuildBackground();
}

void TLovelyPanel::SetTitleHeight(int value)
{
    m_titleHeight = value;
    update();
}

void TLovelyPanel::SetTitleLeft(int value)
{
    m_titleLeft = value;
    update();
}

void TLovelyPanel::SetTitleTop(int value)
{
    m_titleTop = value;
    update();
}

void TLovelyPanel::SetTitleRight(int value)
{
    m_titleRight = value;
    update();
}

void TLovelyPanel::SetTitleAlignment(TTitleAlignment value)
{
    m_titleAlignment = value;
    update();
}

void TLovelyPanel::SetTitleColor(const QColor &value)
{
    m_titleColor = value;
    update();
}

void TLovelyPanel::SetTitleShadowColor(const QColor &value)
{
    m_titleShadowColor = value;
    update();
}

void TLovelyPanel::SetTransparentColor(const QColor &value)
{
    m_transparentColor = value;
    RebuildBackground();
}

void TLovelyPanel::SetTransparentSpace(int value)
{
    m_transparentSpace = value;
    RebuildBackground();
}

void TLovelyPanel::SetLifeCount(int value)
{
    if (m_lifeCount == value)
        return;
    m_lifeCount = value;
    if (OnLifeChange)
        OnLifeChange(this);
}

void TLovelyPanel::SetCaption(const QString &caption)
{
    setWindowTitle(caption);
    update();
}

void TLovelyPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!m_background.isNull())
        painter.drawImage(0, 0, m_background);
}

void TLovelyPanel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    RebuildBackground();
}

void TLovelyPanel::RebuildBackground()
{
    // The skin drawing comes with the skinned widgets; until then a white panel.
    if (width() <= 0 || height() <= 0) {
        m_background = QImage();
        return;
    }
    m_background = QImage(size(), QImage::Format_ARGB32_Premultiplied);
    m_background.fill(Qt::white);
    update();
}
