#include "PlainDraw.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

void SetRop(QPainter& p, bool xorMode)
{
    p.setCompositionMode(xorMode ? QPainter::RasterOp_SourceXorDestination : QPainter::CompositionMode_SourceOver);
}

// The outline of an ellipse far larger than the device, as the pixels where
// it crosses each column and each row of the device.
QPolygon HugeEllipseOutline(double cx, double cy, double rx, double ry, int width, int height)
{
    QPolygon dots;
    auto add = [&](double x, double y) {
        long long ix = std::llround(x), iy = std::llround(y);
        if (ix >= 0 && iy >= 0 && ix < width && iy < height)
            dots << QPoint(int(ix), int(iy));
    };
    for (int x = 0; x < width; ++x) {
        double u = (x - cx) / rx;
        if (u * u > 1.0)
            continue;
        double dy = ry * std::sqrt(1.0 - u * u);
        add(x, cy - dy);
        add(x, cy + dy);
    }
    for (int y = 0; y < height; ++y) {
        double v = (y - cy) / ry;
        if (v * v > 1.0)
            continue;
        double dx = rx * std::sqrt(1.0 - v * v);
        add(cx - dx, y);
        add(cx + dx, y);
    }
    return dots;
}

} // namespace

QTransform MappingTransform(const CMapping& m)
{
    if (m.GetMapMode() == MM_TEXT)
        return QTransform::fromTranslate(m.GetViewportOrg().x - m.GetWindowOrg().x,
                                         m.GetViewportOrg().y - m.GetWindowOrg().y);
    double s = m.ScaleLength(1.0);
    double sx = (m.GetViewportExt().cx < 0) != (m.GetWindowExt().cx < 0) ? -s : s;
    double sy = (m.GetViewportExt().cy < 0) != (m.GetWindowExt().cy < 0) ? -s : s;
    return QTransform(sx, 0, 0, sy, m.GetViewportOrg().x - m.GetWindowOrg().x * sx,
                      m.GetViewportOrg().y - m.GetWindowOrg().y * sy);
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

bool SamePixel(QPointF a, QPointF b)
{
    return std::llround(a.x()) == std::llround(b.x()) && std::llround(a.y()) == std::llround(b.y());
}

QPoint DotPixel(const QTransform& t, const CRect& box)
{
    QPointF c = t.map(QPointF(std::min(box.left, box.right), std::min(box.top, box.bottom)));
    return QPoint(qRound(c.x()), qRound(c.y()));
}

QRectF EllipseDeviceRect(const QTransform& t, const CRect& box)
{
    QRectF r = t.mapRect(QRectF(QPointF(box.left, box.top), QPointF(box.right, box.bottom)).normalized());
    return r.adjusted(0, 0, -1, -1);
}

void PlainEllipse(PlainTarget target, const QTransform& t, const CRect& box, COLORREF pen, const CBrush& brush,
                  bool xorMode)
{
    QPainter& p = target.painter;
    SetRop(p, xorMode);
    p.setPen(QPen(ToQColor(pen), 0));
    QRectF device = t.mapRect(QRectF(QPointF(box.left, box.top), QPointF(box.right, box.bottom)).normalized());
    if (device.width() < kDotShape || device.height() < kDotShape) {
        p.resetTransform();
        p.drawPoint(DotPixel(t, box));
        return;
    }
    if (device.width() > kHugeShape || device.height() > kHugeShape) {
        QRectF r = device.adjusted(0, 0, -1, -1);
        double rx = r.width() / 2.0, ry = r.height() / 2.0;
        p.resetTransform();
        p.drawPoints(HugeEllipseOutline(r.x() + rx, r.y() + ry, rx, ry, target.width, target.height));
        return;
    }
    // Right and bottom are exclusive by one device pixel.
    QRectF logical = QRectF(QPointF(box.left, box.top), QPointF(box.right, box.bottom)).normalized();
    logical.adjust(0, 0, -1.0 / std::abs(t.m11()), -1.0 / std::abs(t.m22()));
    p.setBrush(brush.IsHollow() ? QBrush(Qt::NoBrush) : QBrush(ToQColor(brush.GetColor())));
    p.setTransform(t);
    p.drawEllipse(logical);
    p.resetTransform();
    p.setBrush(Qt::NoBrush);
}

void PlainLine(PlainTarget target, const QTransform& t, CPoint from, CPoint to, COLORREF pen, bool xorMode)
{
    // A line leaves out its last pixel, so one that ends where it starts
    // draws nothing.
    if (SamePixel(t.map(QPointF(from.x, from.y)), t.map(QPointF(to.x, to.y))))
        return;
    QPainter& p = target.painter;
    SetRop(p, xorMode);
    QPen qpen(ToQColor(pen), 0);
    qpen.setCapStyle(Qt::FlatCap);
    p.setPen(qpen);
    p.setTransform(t);
    p.drawLine(QLineF(QPointF(from.x, from.y), QPointF(to.x, to.y)));
    p.resetTransform();
}

void PlainText(PlainTarget target, const QTransform& t, const CFont& font, int x, int y, const QString& text,
               COLORREF textColor, COLORREF bkColor)
{
    QPainter& p = target.painter;
    QFont f = RealiseFont(font, target.systemPixels);
    QTransform local = t;
    QPointF at(x, y);
    if (font.IsSystemFont()) {
        // A device font: its size does not follow the mapping.
        at = t.map(at);
        local = QTransform();
    }
    QFontMetricsF fm(f, p.device());
    SetRop(p, false);
    p.setTransform(local);
    p.fillRect(QRectF(at.x(), at.y(), fm.horizontalAdvance(text), fm.ascent() + fm.descent()), ToQColor(bkColor));
    p.setFont(f);
    p.setPen(ToQColor(textColor));
    p.drawText(QPointF(at.x(), at.y() + fm.ascent()), text);
    p.resetTransform();
}
