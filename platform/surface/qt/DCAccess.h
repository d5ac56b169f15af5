// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: how the window, the printer and the preview attach a
// surface to a Qt device of theirs and manage its painter.

class CDC;
class QPaintDevice;

struct CDCAccess {
    // Starts painting on device; false if Qt cannot paint on it.
    static bool Attach(CDC& dc, QPaintDevice* device, int dpiX, int dpiY);
    // Pauses and restarts the surface's painter on its device.
    static void Suspend(CDC& dc);
    static void Resume(CDC& dc);
    // Puts the surface back in its default state on the same device.
    static void Reset(CDC& dc);
    // Keeps everything the surface draws inside its device's rectangle, as
    // a printer keeps to its printable area; an image does so by itself.
    static void ClipToDevice(CDC& dc);
    // Lines on the attached device go through the middle of their pixels,
    // as a vector device needs (see CDCDevice::lineOffset).
    static void CentreLinesOnPixels(CDC& dc);
    // Anti-aliased shapes and text from now on, every call drawn at once.
    static void Smooth(CDC& dc);
};
