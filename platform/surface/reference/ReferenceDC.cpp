// SPDX-License-Identifier: MIT
#include "platform/surface/reference/ReferenceDC.h"

#include "platform/surface/qt/DCDevice.h"
#include "platform/surface/qt/DeviceGeometry.h"
#include "platform/surface/qt/DrawingRules.h"
#include "platform/surface/qt/PlainDraw.h"

BOOL CReferenceDC::TextOut(int x, int y, const char* text, int length)
{
    if (!m_device || text == nullptr || length <= 0)
        return TRUE;
    PlainText({m_device->painter, m_device->width, m_device->height, SystemFontPixels(m_device->dpiY)},
              TextTransform(m_mapping, x, y), *m_font, TextOf(*m_font, text, length), m_textColor, m_bkColor);
    return TRUE;
}

BOOL CReferenceDC::Ellipse(int left, int top, int right, int bottom)
{
    if (!m_device)
        return TRUE;
    PlainEllipse({m_device->painter, m_device->width, m_device->height},
                 EllipseBox(m_mapping, CRect(left, top, right, bottom)), m_pen->GetColor(), *m_brush,
                 m_rop2 == R2_XORPEN);
    return TRUE;
}

BOOL CReferenceDC::LineTo(int x, int y)
{
    CPoint from = m_position;
    m_position = CPoint(x, y);
    if (!m_device)
        return TRUE;
    PlainLine({m_device->painter, m_device->width, m_device->height}, DevicePixel(m_mapping, from.x, from.y),
              DevicePixel(m_mapping, x, y), m_pen->GetColor(), m_rop2 == R2_XORPEN);
    return TRUE;
}
