// SPDX-License-Identifier: MIT
#pragma once

// The drawing surface. It keeps the state its callers rely on between calls
// (selected pen, brush and font, text and background colour, raster
// operation, mapping, printing flag) and draws on the device it is attached
// to: an image, a printer page or a preview page. A surface with no device
// keeps its state and draws nothing.
//
// On an image, drawing is held back: ellipses, lines and texts drawn with
// the copying raster operation are kept in a list and land on the image
// when the surface is detached or destroyed, before an exclusive-or figure,
// a focus rectangle or a filled rectangle, when another surface starts on
// the same image, and whenever anyone reads, copies, saves or fills the
// image (CImage puts them in first). Items that could not change a pixel
// (off the device, under the cells of later texts) are left out, so the
// picture is the one the calls would have made at once, only sooner. On a
// printer, a preview page or an SVG picture every call is drawn at once.
// platform/surface/README.md tells how, and what it is worth.
//
// Drawing operations are virtual so that a recording surface can stand in
// for a real one.

#include "platform/surface/Brush.h"
#include "platform/surface/Font.h"
#include "platform/surface/Mapping.h"
#include "platform/surface/Pen.h"
#include "platform/surface/Types.h"

#include <memory>
#include <string>

class CImage;
struct CDCDevice;

class CDC {
public:
    CDC();
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // Draws on image from now on, in the default state.
    BOOL AttachImage(CImage& image);
    // Draws on image with anti-aliased shapes and text, for pictures meant
    // for people: every call at once, none of the image's shortcuts. Only
    // the edges differ from AttachImage's pixels.
    BOOL AttachSmoothImage(CImage& image);
    // Ends drawing on the device; the surface then draws nothing.
    void Detach();

    // Selection returns the object of that kind selected before.
    virtual CPen* SelectObject(CPen* pen);
    virtual CBrush* SelectObject(CBrush* brush);
    virtual CFont* SelectObject(CFont* font);
    // Selects a stock object; returns the object of its kind selected
    // before, or nullptr when the platform has no such stock object.
    virtual CGdiObject* SelectStockObject(int index);
    CPen* GetCurrentPen() const { return m_pen; }
    CBrush* GetCurrentBrush() const { return m_brush; }
    CFont* GetCurrentFont() const { return m_font; }

    virtual COLORREF SetTextColor(COLORREF color);
    virtual COLORREF SetBkColor(COLORREF color);
    COLORREF GetTextColor() const { return m_textColor; }
    COLORREF GetBkColor() const { return m_bkColor; }
    int GetBkMode() const { return OPAQUE; }
    UINT GetTextAlign() const { return TA_TOP | TA_LEFT; }
    virtual int SetROP2(int mode);
    int GetROP2() const { return m_rop2; }

    // Text with its top-left corner at (x, y); the cell box (advance width by
    // ascent plus descent) is first filled with the background colour. Bytes
    // are taken as characters of the font's text encoding (UTF-8 or
    // Windows-1252, CFont::SetTextEncoding).
    virtual BOOL TextOut(int x, int y, const char* text, int length);
    BOOL TextOut(int x, int y, const std::string& text);
    // The cell TextOut fills for text in the selected font (advance width
    // by ascent plus descent), in device pixels, rounded up; 0 x 0 without
    // a device.
    CSize GetTextExtent(const std::string& text) const;
    // Outline in the pen, inside in the brush; right and bottom exclusive.
    // Under 2 pixels across or down it is one pixel: the box's first column
    // and last row, the row above an empty box, so that a text whose top is
    // the box's bottom edge (a planet's name) never covers it.
    virtual BOOL Ellipse(int left, int top, int right, int bottom);
    virtual CPoint MoveTo(int x, int y);
    virtual BOOL LineTo(int x, int y);
    CPoint GetCurrentPosition() const { return m_position; }
    // A dotted rectangle drawn by exclusive-or; drawn again it is erased.
    virtual void DrawFocusRect(const CRect* rect);
    // Fills a rectangle in device pixels, ignoring the mapping.
    virtual void FillSolidRect(const CRect& rect, COLORREF color);

    virtual int SetMapMode(int mode);
    virtual CSize SetWindowExt(int cx, int cy);
    virtual CSize SetViewportExt(int cx, int cy);
    virtual CPoint SetWindowOrg(int x, int y);
    virtual CPoint SetViewportOrg(int x, int y);
    const CMapping& GetMapping() const { return m_mapping; }
    void DPtoLP(CPoint* points, int count = 1) const;
    void LPtoDP(CPoint* points, int count = 1) const;

    virtual int GetDeviceCaps(int index) const;
    BOOL IsPrinting() const { return m_bPrinting; }
    void SetPrinting(bool printing) { m_bPrinting = printing; }

    // Size of the attached device in pixels (0 x 0 without one).
    CSize GetDeviceSize() const;

    // Forgets the text laid out and the glyphs rendered so far, which every
    // surface shares; the next texts are drawn as on a first paint.
    static void FlushCaches();

protected:
    friend struct CDCAccess;
    void ResetState();

    CPen* m_pen = nullptr;
    CBrush* m_brush = nullptr;
    CFont* m_font = nullptr;
    COLORREF m_textColor = RGB(0, 0, 0);
    COLORREF m_bkColor = RGB(255, 255, 255);
    int m_rop2 = R2_COPYPEN;
    CMapping m_mapping;
    CPoint m_position;
    BOOL m_bPrinting = FALSE;
    std::unique_ptr<CDCDevice> m_device;
};
