#include "DC.h"

#include "Image.h"
#include "qt/DCDevice.h"
#include "qt/ImageData.h"

#include <QGuiApplication>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

// Shapes are clipped to the device plus this margin before Qt sees them, so
// coordinates far outside (deep zoom, distant planets) never reach the
// rasteriser.
constexpr double kClipMargin = 4.0;
// Size of the system font in pixels: its line fits a 14-pixel row.
constexpr int kSystemFontPixels = 12;

QColor ToQColor(COLORREF c)
{
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

// Liang-Barsky clipping of a segment to [lo, hi] on both axes; false when
// nothing of it is inside.
bool ClipSegment(double& x1, double& y1, double& x2, double& y2, double loX, double loY,
                 double hiX, double hiY)
{
    double t0 = 0.0, t1 = 1.0;
    double dx = x2 - x1, dy = y2 - y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - loX, hiX - x1, y1 - loY, hiY - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    double ox = x1, oy = y1;
    x1 = ox + t0 * dx;
    y1 = oy + t0 * dy;
    x2 = ox + t1 * dx;
    y2 = oy + t1 * dy;
    return true;
}

// The outline of an ellipse far larger than the device, as the pixels where
// it crosses each column and each row of the device: Qt would otherwise
// flatten curves millions of pixels long.
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

constexpr std::int64_t kHugeShape = 16384;

} // namespace

bool CDCAccess::Attach(CDC& dc, QPaintDevice* device, int dpiX, int dpiY)
{
    dc.Detach();
    auto dev = std::make_unique<CDCDevice>();
    dev->device = device;
    if (!dev->painter.begin(device))
        return false;
    dev->width = device->width();
    dev->height = device->height();
    dev->dpiX = dpiX;
    dev->dpiY = dpiY;
    dc.m_device = std::move(dev);
    dc.ResetState();
    return true;
}

QPainter* CDCAccess::Painter(CDC& dc)
{
    return dc.m_device ? &dc.m_device->painter : nullptr;
}

CDC::CDC()
{
    ResetState();
}

CDC::~CDC()
{
    Detach();
}

void CDC::ResetState()
{
    m_pen = static_cast<CPen*>(CGdiObject::GetStockObject(BLACK_PEN));
    m_brush = static_cast<CBrush*>(CGdiObject::GetStockObject(WHITE_BRUSH));
    m_font = static_cast<CFont*>(CGdiObject::GetStockObject(SYSTEM_FONT));
    m_textColor = RGB(0, 0, 0);
    m_bkColor = RGB(255, 255, 255);
    m_rop2 = R2_COPYPEN;
    m_mapping = CMapping();
    m_position = CPoint();
}

BOOL CDC::AttachImage(CImage& image)
{
    if (image.IsNull())
        return FALSE;
    return CDCAccess::Attach(*this, &image.Data()->image, image.DpiX(), image.DpiY()) ? TRUE : FALSE;
}

void CDC::Detach()
{
    if (m_device && m_device->painter.isActive())
        m_device->painter.end();
    m_device.reset();
}

CSize CDC::GetDeviceSize() const
{
    return m_device ? CSize(m_device->width, m_device->height) : CSize();
}

CPen* CDC::SelectObject(CPen* pen)
{
    CPen* previous = m_pen;
    if (pen != nullptr)
        m_pen = pen;
    return previous;
}

CBrush* CDC::SelectObject(CBrush* brush)
{
    CBrush* previous = m_brush;
    if (brush != nullptr)
        m_brush = brush;
    return previous;
}

CFont* CDC::SelectObject(CFont* font)
{
    CFont* previous = m_font;
    if (font != nullptr && font->IsValid())
        m_font = font;
    return previous;
}

CGdiObject* CDC::SelectStockObject(int index)
{
    // Assigns directly rather than through the virtual selectors, so a
    // recording surface sees one call.
    CGdiObject* object = CGdiObject::GetStockObject(index);
    if (object == nullptr)
        return nullptr;
    CGdiObject* previous = nullptr;
    switch (object->GetKind()) {
    case CGdiObject::Kind::Pen:
        previous = std::exchange(m_pen, static_cast<CPen*>(object));
        break;
    case CGdiObject::Kind::Brush:
        previous = std::exchange(m_brush, static_cast<CBrush*>(object));
        break;
    case CGdiObject::Kind::Font:
        previous = std::exchange(m_font, static_cast<CFont*>(object));
        break;
    default:
        break;
    }
    return previous;
}

COLORREF CDC::SetTextColor(COLORREF color)
{
    COLORREF previous = m_textColor;
    m_textColor = color & 0x00FFFFFF;
    return previous;
}

COLORREF CDC::SetBkColor(COLORREF color)
{
    COLORREF previous = m_bkColor;
    m_bkColor = color & 0x00FFFFFF;
    return previous;
}

int CDC::SetROP2(int mode)
{
    int previous = m_rop2;
    if (mode == R2_COPYPEN || mode == R2_XORPEN)
        m_rop2 = mode;
    return previous;
}

int CDC::SetMapMode(int mode) { return m_mapping.SetMapMode(mode); }
CSize CDC::SetWindowExt(int cx, int cy) { return m_mapping.SetWindowExt(cx, cy); }
CSize CDC::SetViewportExt(int cx, int cy) { return m_mapping.SetViewportExt(cx, cy); }
CPoint CDC::SetWindowOrg(int x, int y) { return m_mapping.SetWindowOrg(x, y); }
CPoint CDC::SetViewportOrg(int x, int y) { return m_mapping.SetViewportOrg(x, y); }

void CDC::DPtoLP(CPoint* points, int count) const
{
    for (int i = 0; i < count; ++i)
        points[i] = m_mapping.DPtoLP(points[i]);
}

void CDC::LPtoDP(CPoint* points, int count) const
{
    for (int i = 0; i < count; ++i)
        points[i] = m_mapping.LPtoDP(points[i]);
}

int CDC::GetDeviceCaps(int index) const
{
    int dpiX = m_device ? m_device->dpiX : 96;
    int dpiY = m_device ? m_device->dpiY : 96;
    switch (index) {
    case LOGPIXELSX: return dpiX;
    case LOGPIXELSY: return dpiY;
    default: return 0;
    }
}

CPoint CDC::MoveTo(int x, int y)
{
    CPoint previous = m_position;
    m_position = CPoint(x, y);
    return previous;
}

BOOL CDC::LineTo(int x, int y)
{
    CPoint from = m_position;
    m_position = CPoint(x, y);
    if (!m_device)
        return TRUE;
    double x1 = double(m_mapping.ToDeviceX(from.x)), y1 = double(m_mapping.ToDeviceY(from.y));
    double x2 = double(m_mapping.ToDeviceX(x)), y2 = double(m_mapping.ToDeviceY(y));
    if (!ClipSegment(x1, y1, x2, y2, -kClipMargin, -kClipMargin, m_device->width + kClipMargin,
                     m_device->height + kClipMargin))
        return TRUE;
    QPainter& p = m_device->painter;
    QPen pen(ToQColor(m_pen->GetColor()), 0);
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    p.setCompositionMode(m_rop2 == R2_XORPEN ? QPainter::RasterOp_SourceXorDestination
                                             : QPainter::CompositionMode_SourceOver);
    p.drawLine(QPoint(int(std::lround(x1)), int(std::lround(y1))),
               QPoint(int(std::lround(x2)), int(std::lround(y2))));
    return TRUE;
}

BOOL CDC::Ellipse(int left, int top, int right, int bottom)
{
    if (!m_device)
        return TRUE;
    std::int64_t x1 = m_mapping.ToDeviceX(left), y1 = m_mapping.ToDeviceY(top);
    std::int64_t x2 = m_mapping.ToDeviceX(right), y2 = m_mapping.ToDeviceY(bottom);
    if (x1 > x2)
        std::swap(x1, x2);
    if (y1 > y2)
        std::swap(y1, y2);
    if (x2 < 0 || y2 < 0 || x1 > m_device->width || y1 > m_device->height)
        return TRUE;
    QPainter& p = m_device->painter;
    p.setCompositionMode(m_rop2 == R2_XORPEN ? QPainter::RasterOp_SourceXorDestination
                                             : QPainter::CompositionMode_SourceOver);
    QColor penColor = ToQColor(m_pen->GetColor());
    if (x2 - x1 < 2 || y2 - y1 < 2) {
        // Smaller than a pixel across: one dot, so the planet stays visible.
        p.setPen(QPen(penColor, 0));
        p.drawPoint(int(x1), int(y1));
        return TRUE;
    }
    p.setPen(QPen(penColor, 0));
    if (x2 - x1 > kHugeShape || y2 - y1 > kHugeShape) {
        // Only the outline: a brush this large would cover the device.
        double rx = (x2 - x1 - 1) / 2.0, ry = (y2 - y1 - 1) / 2.0;
        p.drawPoints(HugeEllipseOutline(x1 + rx, y1 + ry, rx, ry, m_device->width, m_device->height));
        return TRUE;
    }
    if (m_brush->IsHollow())
        p.setBrush(Qt::NoBrush);
    else
        p.setBrush(ToQColor(m_brush->GetColor()));
    p.drawEllipse(QRectF(double(x1), double(y1), double(x2 - x1 - 1), double(y2 - y1 - 1)));
    p.setBrush(Qt::NoBrush);
    return TRUE;
}

BOOL CDC::TextOut(int x, int y, const std::string& text)
{
    return TextOut(x, y, text.data(), static_cast<int>(text.size()));
}

BOOL CDC::TextOut(int x, int y, const char* text, int length)
{
    if (!m_device || text == nullptr || length <= 0)
        return TRUE;
    CDCDevice& dev = *m_device;
    const LOGFONT& desc = m_font->GetLogFont();
    int pixelSize = kSystemFontPixels;
    if (!m_font->IsSystemFont()) {
        int height = desc.lfHeight == 0 ? kSystemFontPixels : std::abs(desc.lfHeight);
        pixelSize = int(std::lround(m_mapping.ScaleLength(height)));
    }
    if (pixelSize < 1)
        return TRUE;
    std::int64_t dx = m_mapping.ToDeviceX(x), dy = m_mapping.ToDeviceY(y);
    // Nothing of a text that starts right of or below the device can show,
    // nor of one that ends above it.
    if (dx > dev.width || dy > dev.height || dy + 2 * std::int64_t(pixelSize) < 0)
        return TRUE;
    if (!dev.font || dev.font->pixelSize != pixelSize || dev.font->system != m_font->IsSystemFont() ||
        std::memcmp(&dev.font->desc, &desc, sizeof(LOGFONT)) != 0) {
        CDCDevice::RealisedFont f;
        f.desc = desc;
        f.system = m_font->IsSystemFont();
        f.pixelSize = pixelSize;
        f.font = f.system ? QGuiApplication::font() : QFont(QString::fromLatin1(desc.lfFaceName));
        f.font.setPixelSize(pixelSize);
        if (!f.system) {
            f.font.setWeight(desc.lfWeight >= 600 ? QFont::Bold : QFont::Normal);
            f.font.setItalic(desc.lfItalic != 0);
            f.font.setUnderline(desc.lfUnderline != 0);
            f.font.setStrikeOut(desc.lfStrikeOut != 0);
        }
        f.font.setStyleStrategy(QFont::NoAntialias);
        f.metrics.emplace(f.font, dev.device);
        dev.font = std::move(f);
    }
    QString s = QString::fromLatin1(text, length);
    const QFontMetrics& fm = *dev.font->metrics;
    int advance = fm.horizontalAdvance(s);
    if (dx + advance < 0)
        return TRUE;
    QPainter& p = dev.painter;
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    int ix = ClampToInt(dx), iy = ClampToInt(dy);
    p.fillRect(QRect(ix, iy, advance, fm.ascent() + fm.descent()), ToQColor(m_bkColor));
    p.setFont(dev.font->font);
    p.setPen(ToQColor(m_textColor));
    p.drawText(QPoint(ix, iy + fm.ascent()), s);
    return TRUE;
}

void CDC::DrawFocusRect(const CRect* rect)
{
    if (!m_device || rect == nullptr)
        return;
    CPoint a = m_mapping.LPtoDP(CPoint(rect->left, rect->top));
    CPoint b = m_mapping.LPtoDP(CPoint(rect->right, rect->bottom));
    int left = std::max(std::min(a.x, b.x), -1), right = std::min(std::max(a.x, b.x), m_device->width + 1);
    int top = std::max(std::min(a.y, b.y), -1), bottom = std::min(std::max(a.y, b.y), m_device->height + 1);
    if (right <= left || bottom <= top)
        return;
    // Every border pixel whose coordinates add up to an even number, each
    // exactly once, so a second call restores every pixel.
    QPolygon dots;
    for (int x = left; x < right; ++x) {
        if (((x + top) & 1) == 0)
            dots << QPoint(x, top);
        if (bottom - 1 > top && ((x + bottom - 1) & 1) == 0)
            dots << QPoint(x, bottom - 1);
    }
    for (int y = top + 1; y < bottom - 1; ++y) {
        if (((left + y) & 1) == 0)
            dots << QPoint(left, y);
        if (right - 1 > left && ((right - 1 + y) & 1) == 0)
            dots << QPoint(right - 1, y);
    }
    QPainter& p = m_device->painter;
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.setPen(QPen(QColor(255, 255, 255), 0));
    p.drawPoints(dots);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void CDC::FillSolidRect(const CRect& rect, COLORREF color)
{
    if (!m_device)
        return;
    QPainter& p = m_device->painter;
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.fillRect(QRect(rect.left, rect.top, rect.Width(), rect.Height()), ToQColor(color));
}
