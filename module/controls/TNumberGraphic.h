#pragma once

#include <QImage>
#include <QWidget>

#include <functional>

// A non-negative integer drawn with digit pictures cut from a strip of 11 equal cells
// (cell d shows the digit d; the eleventh is never drawn): the turn clock. The strip is a
// bitmap whose bottom-left colour is transparent (the default), or a PNG with an alpha
// channel composited over a transparent image.
//
// Digit i (from 0) is drawn at i * (PointWidth + NumberSpace), so every pair of
// neighbouring digits has the same gap and the digits fill the control's width exactly.
class TNumberGraphic : public QWidget {
    Q_OBJECT

public:
    enum TImageType { itBmp, itPng };

    explicit TNumberGraphic(QWidget *parent = nullptr);
    ~TNumberGraphic() override;

    // A null image reloads the module's picture "BitmapMask". Every change sets the cell
    // size from the strip and redraws.
    const QImage &BitmapMask() const { return m_bitmapMask; }
    void SetBitmapMask(const QImage &strip);
    // Taken as it is; drawn from at the next redraw.
    const QImage &PngMask() const { return m_pngMask; }
    void SetPngMask(const QImage &strip);

    // Kept as given, so a count-down can run below zero; a negative number shows as 0.
    int Number() const { return m_number; }
    void SetNumber(int number);
    // The least number of digits, padded with leading zeros.
    int Decimal() const { return m_decimal; }
    void SetDecimal(int digits);
    // The gap between neighbouring digits; takes effect at the next redraw.
    int NumberSpace() const { return m_numberSpace; }
    void SetNumberSpace(int space) { m_numberSpace = space; }
    TImageType ImageType() const { return m_imageType; }
    void SetImageType(TImageType type);
    // The size of one digit cell; take effect at the next redraw.
    int PointWidth() const { return m_pointWidth; }
    void SetPointWidth(int width) { m_pointWidth = width; }
    int PointHeight() const { return m_pointHeight; }
    void SetPointHeight(int height) { m_pointHeight = height; }
    // Whether the bitmap strip's background colour is see-through.
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool on);

    // The rendered number: the work bitmap (itBmp) and the work PNG (itPng).
    const QImage &WorkBitmap() const { return m_workBitmap; }
    const QImage &WorkPng() const { return m_workPng; }

    std::function<void(TNumberGraphic *Sender, QMouseEvent *Event)> OnMouseDown;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void Redraw();
    void RenderBitmap(const QString &digits);
    void RenderPng(const QString &digits);
    int DigitLeft(int i) const;

    QImage m_bitmapMask;
    QImage m_pngMask;
    QImage m_workBitmap;
    QImage m_workPng;
    // The work bitmap with its key colour made transparent, as painted.
    QImage m_shownBitmap;
    int m_number = 0;
    int m_decimal = 0;
    int m_numberSpace = 0;
    TImageType m_imageType = itBmp;
    int m_pointWidth = 0;
    int m_pointHeight = 0;
    bool m_transparent = true;
};
