// SPDX-License-Identifier: MIT
#include "platform/surface/DC.h"

#include "platform/surface/Image.h"
#include "platform/surface/qt/DCAccess.h"
#include "platform/surface/qt/DCDevice.h"
#include "platform/surface/qt/DeviceGeometry.h"
#include "platform/surface/qt/DrawingRules.h"
#include "platform/surface/qt/EllipseRoutes.h"
#include "platform/surface/qt/ImageData.h"
#include "platform/surface/qt/PlainDraw.h"
#include "platform/surface/qt/ShapeCache.h"
#include "platform/surface/qt/TextCache.h"

#include <QFontMetricsF>
#include <QPolygon>

#include <algorithm>
#include <optional>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <utility>

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
    CImageData* data = image.Data();
    if (!CDCAccess::Attach(*this, &data->image, image.DpiX(), image.DpiY()))
        return FALSE;
    m_device->owner = data;
    m_device->previous = std::exchange(data->drawing, m_device.get());
    return TRUE;
}

BOOL CDC::AttachSmoothImage(CImage& image)
{
    if (!AttachImage(image))
        return FALSE;
    CDCAccess::Smooth(*this);
    return TRUE;
}

void CDC::Detach()
{
    if (m_device)
        m_device->Flush();
    if (m_device && m_device->owner && m_device->owner->drawing == m_device.get())
        m_device->owner->drawing = m_device->previous;
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
    QPointF a = DevicePixel(m_mapping, from.x, from.y), b = DevicePixel(m_mapping, x, y);
    // A line leaves out one end pixel, whichever way it is drawn (the
    // toolkit's rule): the right one of a flat line, the lower one of a
    // steep one. One that ends where it starts draws nothing, so a rubber
    // band back at its start leaves no dot.
    if (a == b)
        return TRUE;
    double x1 = a.x(), y1 = a.y(), x2 = b.x(), y2 = b.y();
    if (!ClipSegment(x1, y1, x2, y2, -kClipMargin, -kClipMargin, m_device->width + kClipMargin,
                     m_device->height + kClipMargin))
        return TRUE;
    const bool xorMode = m_rop2 == R2_XORPEN;
    if (!xorMode && m_device->Holds()) {
        m_device->held.AddLine(QPointF(x1, y1), QPointF(x2, y2), m_pen->GetColor());
        return TRUE;
    }
    m_device->Flush();
    const double o = m_device->lineOffset;
    PlainLine({m_device->painter, m_device->width, m_device->height}, QPointF(x1 + o, y1 + o), QPointF(x2 + o, y2 + o),
              m_pen->GetColor(), xorMode);
    return TRUE;
}

BOOL CDC::Ellipse(int left, int top, int right, int bottom)
{
    if (!m_device)
        return TRUE;
    std::optional<DeviceBox> box = EllipseOnDevice(*m_device, m_mapping, CRect(left, top, right, bottom));
    if (!box)
        return TRUE;
    const bool xorMode = m_rop2 == R2_XORPEN;
    if (!xorMode && m_device->Holds()) {
        m_device->held.AddEllipse(*box, m_pen->GetColor(), *m_brush);
        return TRUE;
    }
    m_device->Flush();
    DrawEllipseBox(*m_device, *box, {m_pen->GetColor(), *m_brush, xorMode});
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
    // Nothing of a text that starts a line's height right of or below the
    // device can show, nor of one that ends above it; no character is wider
    // than two of its lines. A rough place decides it, a pixel's error
    // being within the margin.
    const bool system = m_font->IsSystemFont();
    const int systemPixels = system ? SystemFontPixels(dev.dpiY) : kSystemFontPixels;
    double line = system ? systemPixels : std::abs(m_font->GetLogFont().lfHeight) * m_mapping.ScaleLength(1.0);
    line += 3;
    const QPointF at = RoughDevicePoint(m_mapping, x, y);
    if (at.x() > dev.width + line || at.y() > dev.height + line || at.y() + 2 * line < 0 ||
        at.x() + 2.0 * line * (length + 1) < 0)
        return TRUE;
    const QTransform t = TextTransform(m_mapping, x, y);
    if (dev.Holds()) {
        dev.held.AddText(t, *m_font, systemPixels, std::string_view(text, std::size_t(length)), m_textColor,
                         m_bkColor);
        return TRUE;
    }
    dev.Flush();
    PlainText({dev.painter, dev.width, dev.height, systemPixels, dev.smooth}, t, *m_font, TextOf(*m_font, text, length),
              m_textColor, m_bkColor);
    return TRUE;
}

CSize CDC::GetTextExtent(const std::string& text) const
{
    if (!m_device)
        return CSize();
    const bool system = m_font->IsSystemFont();
    const QFont f = RealiseFont(*m_font, system ? SystemFontPixels(m_device->dpiY) : kSystemFontPixels);
    const QFontMetricsF fm(f, m_device->device);
    const QString shown = TextOf(*m_font, text.data(), static_cast<int>(text.size()));
    // A created font is laid out in logical units under the mapping's scale.
    const double scale = system ? 1.0 : m_mapping.ScaleLength(1.0);
    return CSize(static_cast<int>(std::ceil(fm.horizontalAdvance(shown) * scale)),
                 static_cast<int>(std::ceil((fm.ascent() + fm.descent()) * scale)));
}

void CDC::DrawFocusRect(const CRect* rect)
{
    if (!m_device || rect == nullptr)
        return;
    m_device->Flush();
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
    SetRasterOp(p, true);
    p.setPen(QPen(QColor(255, 255, 255), 0));
    p.drawPoints(dots);
    SetRasterOp(p, false);
}

void CDC::FlushCaches()
{
    TextCache::Clear();
    ShapeCache::Clear();
}

void CDC::FillSolidRect(const CRect& rect, COLORREF color)
{
    if (!m_device)
        return;
    m_device->Flush();
    QPainter& p = m_device->painter;
    SetRasterOp(p, false);
    p.fillRect(QRect(rect.left, rect.top, rect.Width(), rect.Height()), ToQColor(color));
}
