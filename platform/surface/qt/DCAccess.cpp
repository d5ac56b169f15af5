// SPDX-License-Identifier: MIT
#include "platform/surface/qt/DCAccess.h"

#include "platform/surface/DC.h"
#include "platform/surface/qt/DCDevice.h"

#include <memory>
#include <utility>

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

// Two surfaces cannot paint on one image at once; a client surface made
// while a repaint is drawing (the legend) pauses the repaint's painter and
// starts it again when it is done. Every drawing call sets the painter state
// it needs, so nothing is lost across the pause.

void CDCAccess::Suspend(CDC& dc)
{
    if (dc.m_device)
        dc.m_device->Flush();
    if (dc.m_device && dc.m_device->painter.isActive())
        dc.m_device->painter.end();
}

void CDCAccess::Resume(CDC& dc)
{
    if (dc.m_device && !dc.m_device->painter.isActive())
        dc.m_device->painter.begin(dc.m_device->device);
}

void CDCAccess::Reset(CDC& dc)
{
    dc.ResetState();
}

void CDCAccess::ClipToDevice(CDC& dc)
{
    if (dc.m_device)
        dc.m_device->Flush();
    if (dc.m_device && dc.m_device->painter.isActive())
        dc.m_device->painter.setClipRect(QRect(0, 0, dc.m_device->width, dc.m_device->height));
}

void CDCAccess::Smooth(CDC& dc)
{
    if (!dc.m_device)
        return;
    dc.m_device->Flush();
    dc.m_device->smooth = true;
    // A smoothed one-pixel line on whole coordinates would be half of two
    // rows; through the middle of its pixels it is the raster's one row.
    dc.m_device->lineOffset = 0.5;
    dc.m_device->painter.setRenderHint(QPainter::Antialiasing, true);
    dc.m_device->painter.setRenderHint(QPainter::TextAntialiasing, true);
}

void CDCAccess::CentreLinesOnPixels(CDC& dc)
{
    if (dc.m_device)
        dc.m_device->lineOffset = 0.5;
}
