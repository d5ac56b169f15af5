#pragma once

// Drawing objects: pens, brushes and fonts. They are descriptions only; a
// surface realises them when it draws. Stock objects are shared and never
// deleted; objects the program creates are deleted by their owner.

#include "platform/surface/TextEncoding.h"
#include "platform/surface/Types.h"

class CGdiObject {
public:
    enum class Kind { None, Pen, Brush, Font };

    virtual ~CGdiObject() = default;
    Kind GetKind() const { return m_kind; }
    // True once created (or for a stock object).
    bool IsValid() const { return m_valid; }
    // Releases the description; the object may be created again.
    BOOL DeleteObject();

    // The shared stock object of that index, or nullptr for an index the
    // platform does not provide.
    static CGdiObject* GetStockObject(int index);

protected:
    explicit CGdiObject(Kind kind) : m_kind(kind) {}
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    Kind m_kind;
    bool m_valid = false;
};

// A solid pen. Width 0 (and 1) is one device pixel at every mapping.
class CPen : public CGdiObject {
public:
    CPen() : CGdiObject(Kind::Pen) {}
    CPen(int style, int width, COLORREF color);
    BOOL CreatePen(int style, int width, COLORREF color);

    int GetStyle() const { return m_style; }
    int GetWidth() const { return m_width; }
    COLORREF GetColor() const { return m_color; }

private:
    int m_style = PS_SOLID;
    int m_width = 0;
    COLORREF m_color = 0;
};

// A solid brush, or the hollow brush that leaves an ellipse's inside alone.
class CBrush : public CGdiObject {
public:
    CBrush() : CGdiObject(Kind::Brush) {}
    BOOL CreateSolidBrush(COLORREF color);
    BOOL CreateHollowBrush();

    bool IsHollow() const { return m_hollow; }
    COLORREF GetColor() const { return m_color; }

private:
    bool m_hollow = false;
    COLORREF m_color = 0;
};

// A font from a logical font description. The stock system font is sized in
// device pixels and ignores the mapping; created fonts are sized in logical
// units and scale with it.
//
// Texts written in a font are bytes; the font's ANSI character set reads
// them in the code page its owner sets: Windows-1252 unless told otherwise
// (a map whose names are UTF-8 sets UTF-8).
class CFont : public CGdiObject {
public:
    CFont() : CGdiObject(Kind::Font) {}
    BOOL CreateFontIndirect(const LOGFONT* desc);

    const LOGFONT& GetLogFont() const { return m_desc; }
    bool IsSystemFont() const { return m_system; }
    void SetTextEncoding(CTextEncoding encoding) { m_encoding = encoding; }
    CTextEncoding GetTextEncoding() const { return m_encoding; }

private:
    friend class CGdiObject;
    LOGFONT m_desc;
    bool m_system = false;
    CTextEncoding m_encoding = CTextEncoding::Windows1252;
};
