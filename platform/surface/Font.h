// SPDX-License-Identifier: MIT
#pragma once

// A font from a logical font description. The stock system font is sized in
// device pixels and ignores the mapping; created fonts are sized in logical
// units and scale with it.
//
// Texts written in a font are bytes; the font's ANSI character set reads
// them in the code page its owner sets: Windows-1252 unless told otherwise
// (a map whose names are UTF-8 sets UTF-8).

#include "platform/surface/GdiObject.h"
#include "platform/surface/TextEncoding.h"

class CFont : public CGdiObject {
public:
    CFont() : CGdiObject(Kind::Font) {}
    BOOL CreateFontIndirect(const LOGFONT* desc);
    // The system font, sized in device pixels as the stock one, reading its
    // texts in encoding: for a text that is not the map's, such as a
    // caption typed as UTF-8. FALSE when already created.
    BOOL CreateSystemFont(CTextEncoding encoding);

    const LOGFONT& GetLogFont() const { return m_desc; }
    bool IsSystemFont() const { return m_system; }
    void SetTextEncoding(CTextEncoding encoding) { m_encoding = encoding; }
    CTextEncoding GetTextEncoding() const { return m_encoding; }

private:
    friend class CGdiObject;  // makes the stock system font
    LOGFONT m_desc;
    bool m_system = false;
    CTextEncoding m_encoding = CTextEncoding::Windows1252;
};
