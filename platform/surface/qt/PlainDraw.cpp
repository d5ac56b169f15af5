// SPDX-License-Identifier: MIT
#include "platform/surface/qt/PlainDraw.h"

#include <QFontMetricsF>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

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

void PlainEllipse(PlainTarget target, const DeviceBox& box, COLORREF pen, const CBrush& brush, bool xorMode)
{
    QPainter& p = target.painter;
    SetRasterOp(p, xorMode);
    p.setPen(QPen(ToQColor(pen), 0));
    const double middle = target.smooth ? 0.5 : 0.0;
    if (box.Width() < kDotShape || box.Height() < kDotShape) {
        p.drawPoint(QPointF(DotPixel(box)) + QPointF(middle, middle));
        return;
    }
    QRectF r = box.OutlineRect().translated(middle, middle);
    if (box.Width() > kHugeShape || box.Height() > kHugeShape) {
        double rx = r.width() / 2.0, ry = r.height() / 2.0;
        p.drawPoints(HugeEllipseOutline(r.x() + rx, r.y() + ry, rx, ry, target.width, target.height));
        return;
    }
    p.setBrush(brush.IsHollow() ? QBrush(Qt::NoBrush) : QBrush(ToQColor(brush.GetColor())));
    p.drawEllipse(r);
    p.setBrush(Qt::NoBrush);
}

void PlainLine(PlainTarget target, QPointF from, QPointF to, COLORREF pen, bool xorMode)
{
    if (from == to)
        return;
    QPainter& p = target.painter;
    SetRasterOp(p, xorMode);
    QPen qpen(ToQColor(pen), 0);
    qpen.setCapStyle(Qt::FlatCap);
    p.setPen(qpen);
    p.drawLine(QLineF(from, to));
}

void PlainText(PlainTarget target, const QTransform& t, const CFont& font, const QString& text, COLORREF textColor,
               COLORREF bkColor)
{
    QPainter& p = target.painter;
    QFont f = RealiseFont(font, target.systemPixels);
    if (target.smooth)
        f.setStyleStrategy(QFont::PreferAntialias);
    // A device font: its size does not follow the mapping.
    QTransform local = font.IsSystemFont() ? QTransform::fromTranslate(t.dx(), t.dy()) : t;
    QFontMetricsF fm(f, p.device());
    SetRasterOp(p, false);
    p.setTransform(local);
    p.fillRect(QRectF(0, 0, fm.horizontalAdvance(text), fm.ascent() + fm.descent()), ToQColor(bkColor));
    p.setFont(f);
    p.setPen(ToQColor(textColor));
    p.drawText(QPointF(0, fm.ascent()), text);
    p.resetTransform();
}
