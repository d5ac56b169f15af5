#pragma once

// Platform-internal: the Qt device a CDC draws on, and the way other
// platform classes (window, printer, preview) attach one.

#include "../DC.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <optional>

struct CDCDevice {
    QPaintDevice* device = nullptr;
    QPainter painter;
    int width = 0;
    int height = 0;
    int dpiX = 96;
    int dpiY = 96;

    // The font last realised, keyed by its description and device size.
    struct RealisedFont {
        LOGFONT desc;
        bool system = false;
        int pixelSize = 0;
        QFont font;
        std::optional<QFontMetrics> metrics;
    };
    std::optional<RealisedFont> font;
};

struct CDCAccess {
    // Starts painting on device; false if Qt cannot paint on it.
    static bool Attach(CDC& dc, QPaintDevice* device, int dpiX, int dpiY);
    static QPainter* Painter(CDC& dc);
    // Pauses and restarts the surface's painter on its device.
    static void Suspend(CDC& dc);
    static void Resume(CDC& dc);
    // Puts the surface back in its default state on the same device.
    static void Reset(CDC& dc);
};
