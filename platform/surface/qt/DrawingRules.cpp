// SPDX-License-Identifier: MIT
#include "platform/surface/qt/DrawingRules.h"

#include <cmath>

#include "platform/surface/TextEncoding.h"
#include "platform/surface/qt/DeviceGeometry.h"

#include <QGuiApplication>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

QTransform TextTransform(const CMapping& mapping, int x, int y)
{
    QPointF origin = DevicePixel(mapping, x, y);
    return QTransform(mapping.DeviceScaleX(), 0, 0, mapping.DeviceScaleY(), origin.x(), origin.y());
}

int SystemFontPixels(int dpiY)
{
    return static_cast<int>(std::clamp<std::int64_t>(MulDivRound(kSystemFontPixels, dpiY, 96), 1, 4096));
}

QFont RealiseFont(const CFont& font, int systemPixels)
{
    const LOGFONT& desc = font.GetLogFont();
    QFont f = font.IsSystemFont() ? QGuiApplication::font() : QFont(QString::fromLatin1(desc.lfFaceName));
    int height = font.IsSystemFont() ? systemPixels : desc.lfHeight == 0 ? kSystemFontPixels : std::abs(desc.lfHeight);
    f.setPixelSize(std::max(height, 1));
    if (!font.IsSystemFont()) {
        f.setWeight(desc.lfWeight >= 600 ? QFont::Bold : QFont::Normal);
        f.setItalic(desc.lfItalic != 0);
        f.setUnderline(desc.lfUnderline != 0);
        f.setStrikeOut(desc.lfStrikeOut != 0);
    }
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

QString TextOf(const CFont& font, const char* text, int length)
{
    std::string utf8 = ToUtf8(std::string_view(text, std::size_t(length)), font.GetTextEncoding());
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

void SetRasterOp(QPainter& painter, bool xorMode)
{
    painter.setCompositionMode(xorMode ? QPainter::RasterOp_SourceXorDestination
                                       : QPainter::CompositionMode_SourceOver);
}

namespace {

constexpr double kLargestCopiedPixels = 62.0, kSmallestFilledPixels = 66.0;

double GlyphArea(double pixelSize, const QTransform& t)
{
    return pixelSize * pixelSize * std::abs(t.determinant());
}

} // namespace

bool CopiesGlyphs(double pixelSize, const QTransform& t)
{
    return GlyphArea(pixelSize, t) <= kLargestCopiedPixels * kLargestCopiedPixels;
}

bool FillsGlyphs(double pixelSize, const QTransform& t)
{
    return GlyphArea(pixelSize, t) > kSmallestFilledPixels * kSmallestFilledPixels;
}
