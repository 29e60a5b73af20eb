#include "widgets/QtText.h"

#include "common/Gbk.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

namespace QtText {
namespace {

constexpr int HostDpi = 96;
constexpr int PointsPerInch = 72;

} // namespace

QString FromGbk(std::string_view gbk) {
    return QString::fromStdString(Gbk::ToUtf8(gbk));
}

std::string ToGbk(const QString &text) {
    return Gbk::FromUtf8(text.toStdString());
}

QFont FontOfPointSize(const QString &family, int points) {
    QFont font(family);
    font.setPixelSize(std::max(1, (points * HostDpi + PointsPerInch / 2) / PointsPerInch));
    return font;
}

QFont FontOfHeight(const QString &family, int height) {
    QFont font(family);
    if (height == 0)
        return font;
    if (height < 0) {
        font.setPixelSize(-height);
        return font;
    }
    // A cell height: scale the em size by how much taller than the em this face's cell is.
    font.setPixelSize(height);
    const int cell = QFontMetrics(font).height();
    if (cell > height)
        font.setPixelSize(
            std::max(1, static_cast<int>(std::lround(double(height) * height / cell))));
    return font;
}

} // namespace QtText
