#pragma once

#include <QColor>
#include <QImage>
#include <QPointer>
#include <QTreeWidget>

class QFontMetrics;
class QHeaderView;
class QPainter;

// A report-style list whose column header paints itself so that it matches the skinned
// panels around it: a background colour or a picture stretched over every cell, separators
// of a colour or a picture between the columns, each column's icon and its caption cut
// with "..." to the cell. The header keeps Qt's own painting until Loaded takes it over
// and gets it back when the list is destroyed.
//
// Cells are measured in the visual order of the columns, hidden columns take no room. A
// zero-width column shows as a double separator, the way the host's list view marks one.
class TCardKepCustomListView : public QTreeWidget {
    Q_OBJECT

public:
    explicit TCardKepCustomListView(QWidget *parent = nullptr);
    ~TCardKepCustomListView() override;

    // Takes over the painting of the current header. Calling it again changes nothing,
    // unless the header has been replaced since: then the new one is taken over.
    void Loaded();

    // Every change repaints the header.
    QColor HeaderBgColor() const { return m_headerBgColor; }
    void SetHeaderBgColor(const QColor &color);
    QColor HeaderFontColor() const { return m_headerFontColor; }
    void SetHeaderFontColor(const QColor &color);
    QColor HeaderSplitColor() const { return m_headerSplitColor; }
    void SetHeaderSplitColor(const QColor &color);
    // Stretched over each cell; a null picture gives the background colour back.
    const QImage &HeaderBgPicture() const { return m_headerBgPicture; }
    void SetHeaderBgPicture(const QImage &picture);
    // Drawn at its own size as the separator; a null picture gives the line back.
    const QImage &HeaderSplitPicture() const { return m_headerSplitPicture; }
    void SetHeaderSplitPicture(const QImage &picture);

    // `caption` when it is at most `width` wide; otherwise its longest start followed by
    // "..." that still fits, never splitting a character, or "..." alone in a cell too
    // narrow for any start.
    static QString ShortCaption(const QString &caption, const QFontMetrics &metrics, int width);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void PaintHeader();
    void PaintCell(QPainter &painter, int logicalIndex, const QRect &cell) const;
    void PaintBackground(QPainter &painter, const QRect &area) const;
    void PaintSeparator(QPainter &painter, int x, const QRect &cell) const;
    void RepaintHeader();
    void ReleaseHeader();

    QColor m_headerBgColor{50, 50, 50};
    QColor m_headerFontColor{Qt::white};
    QColor m_headerSplitColor{128, 128, 128};
    QImage m_headerBgPicture;
    QImage m_headerSplitPicture;
    // The header whose painting this list does, while it does it.
    QPointer<QHeaderView> m_header;
};
