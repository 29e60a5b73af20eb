#include "controls/TCardKepCustomListView.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QIcon>
#include <QPainter>
#include <QStyle>

#include <algorithm>
#include <vector>

namespace {

const QString Ellipsis = QStringLiteral("...");
// Room kept between a cell's edges and what is drawn in it, and after a column's icon.
constexpr int TextIndent = 4;
constexpr int TextEndGap = 2;
constexpr int ImageGap = 2;

// The sections that take room, left to right as they are shown.
std::vector<int> ShownSections(const QHeaderView &header) {
    std::vector<int> sections;
    for (int visual = 0; visual < header.count(); ++visual) {
        const int logical = header.logicalIndex(visual);
        if (!header.isSectionHidden(logical))
            sections.push_back(logical);
    }
    return sections;
}

} // namespace

TCardKepCustomListView::TCardKepCustomListView(QWidget *parent)
    : QTreeWidget(parent) {
    // The host's report view: a flat list whose last column keeps the width it is given.
    setRootIsDecorated(false);
    header()->setStretchLastSection(false);
}

TCardKepCustomListView::~TCardKepCustomListView() {
    ReleaseHeader();
}

void TCardKepCustomListView::Loaded() {
    if (m_header == header())
        return;
    ReleaseHeader();
    m_header = header();
    m_header->viewport()->installEventFilter(this);
    RepaintHeader();
}

void TCardKepCustomListView::SetHeaderBgColor(const QColor &color) {
    m_headerBgColor = color;
    RepaintHeader();
}

void TCardKepCustomListView::SetHeaderFontColor(const QColor &color) {
    m_headerFontColor = color;
    RepaintHeader();
}

void TCardKepCustomListView::SetHeaderSplitColor(const QColor &color) {
    m_headerSplitColor = color;
    RepaintHeader();
}

void TCardKepCustomListView::SetHeaderBgPicture(const QImage &picture) {
    m_headerBgPicture =
        picture.isNull() ? QImage() : picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    RepaintHeader();
}

void TCardKepCustomListView::SetHeaderSplitPicture(const QImage &picture) {
    m_headerSplitPicture =
        picture.isNull() ? QImage() : picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    RepaintHeader();
}

QString TCardKepCustomListView::ShortCaption(const QString &caption, const QFontMetrics &metrics,
                                             int width) {
    if (metrics.horizontalAdvance(caption) <= width)
        return caption;
    QString shortened = Ellipsis;
    for (qsizetype length = 1; length < caption.size(); ++length) {
        if (caption[length].isLowSurrogate())
            continue;
        QString candidate = caption.left(length) + Ellipsis;
        if (metrics.horizontalAdvance(candidate) > width)
            break;
        shortened = std::move(candidate);
    }
    return shortened;
}

// The event type is looked at first: a header being destroyed still sends its viewport
// events (leave, hide), and its half-destroyed object must not be touched then.
bool TCardKepCustomListView::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::Paint && m_header && watched == m_header->viewport()) {
        PaintHeader();
        return true;
    }
    return QTreeWidget::eventFilter(watched, event);
}

// Cells are handled as the host's rectangles: `right` is one past the last pixel. The last
// separator position remembers where the previous cell's separator went, so that a cell
// ending on the same pixel (a zero-width column) gets its own separator just before it.
void TCardKepCustomListView::PaintHeader() {
    QWidget *viewport = m_header->viewport();
    QPainter painter(viewport);
    painter.setFont(m_header->font());
    const std::vector<int> sections = ShownSections(*m_header);
    const int splitShift = m_headerSplitPicture.width() > 1 ? m_headerSplitPicture.width() - 1 : 0;
    int lastSeparator = 0;
    int cellsEnd = 0;
    for (size_t n = 0; n < sections.size(); ++n) {
        const int logical = sections[n];
        const QRect cell(m_header->sectionViewportPosition(logical), 0,
                         m_header->sectionSize(logical), viewport->height());
        const int right = cell.x() + cell.width();
        // A wide separator picture reaches into the next cell; its background starts
        // after it, whether it is a picture or the colour.
        PaintBackground(painter, n == 0 ? cell : cell.adjusted(splitShift, 0, 0, 0));
        PaintCell(painter, logical, cell);
        if (lastSeparator + 1 == right)
            PaintSeparator(painter, right - 2, cell);
        lastSeparator = right - 1;
        if (n + 1 < sections.size())
            PaintSeparator(painter, lastSeparator, cell);
        cellsEnd = right;
    }
    cellsEnd = std::max(cellsEnd, 0);
    if (cellsEnd < viewport->width())
        PaintBackground(painter,
                        QRect(cellsEnd, 0, viewport->width() - cellsEnd, viewport->height()));
}

// The icon sits at the cell's indent, the caption after it; a right-aligned or centred
// caption moves right as far as it fits, never onto the icon or into the cell before.
void TCardKepCustomListView::PaintCell(QPainter &painter, int logicalIndex,
                                       const QRect &cell) const {
    const QAbstractItemModel *model = m_header->model();
    const Qt::Orientation orientation = m_header->orientation();
    const int right = cell.x() + cell.width();
    int textLeft = cell.x() + TextIndent;

    const QIcon icon =
        qvariant_cast<QIcon>(model->headerData(logicalIndex, orientation, Qt::DecorationRole));
    if (!icon.isNull()) {
        const QSize wanted = iconSize().isValid()
                                 ? iconSize()
                                 : QSize(1, 1) * style()->pixelMetric(QStyle::PM_SmallIconSize);
        const QPixmap image = icon.pixmap(wanted);
        const QSize size = image.deviceIndependentSize().toSize();
        painter.drawPixmap(
            QRect(QPoint(textLeft, cell.y() + (cell.height() - size.height()) / 2), size), image);
        textLeft += size.width() + ImageGap;
    }

    const QString caption =
        model->headerData(logicalIndex, orientation, Qt::DisplayRole).toString();
    const QVariant alignmentData =
        model->headerData(logicalIndex, orientation, Qt::TextAlignmentRole);
    const Qt::Alignment alignment = alignmentData.isValid() ? Qt::Alignment(alignmentData.toInt())
                                                            : m_header->defaultAlignment();
    const QFontMetrics metrics = painter.fontMetrics();
    const int textWidth = metrics.horizontalAdvance(caption);
    int x = textLeft;
    if (alignment & Qt::AlignRight)
        x = std::max(right - TextEndGap - textWidth, textLeft);
    else if (alignment & Qt::AlignHCenter)
        x = std::max(cell.x() + (cell.width() - textWidth) / 2, textLeft);
    const int room = right - TextEndGap - x;
    if (room <= 0 || caption.isEmpty())
        return;
    painter.setPen(m_headerFontColor);
    painter.drawText(QRect(x, cell.y(), room, cell.height()),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     ShortCaption(caption, metrics, room));
}

void TCardKepCustomListView::PaintBackground(QPainter &painter, const QRect &area) const {
    if (area.width() <= 0 || area.height() <= 0)
        return;
    if (m_headerBgPicture.isNull())
        painter.fillRect(area, m_headerBgColor);
    else
        painter.drawImage(area, m_headerBgPicture);
}

void TCardKepCustomListView::PaintSeparator(QPainter &painter, int x, const QRect &cell) const {
    if (m_headerSplitPicture.isNull())
        painter.fillRect(QRect(x, cell.y(), 1, cell.height()), m_headerSplitColor);
    else
        painter.drawImage(QPoint(x, cell.y()), m_headerSplitPicture);
}

void TCardKepCustomListView::RepaintHeader() {
    if (m_header)
        m_header->viewport()->update();
}

void TCardKepCustomListView::ReleaseHeader() {
    if (!m_header)
        return;
    m_header->viewport()->removeEventFilter(this);
    m_header->viewport()->update();
    m_header = nullptr;
}
