// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: lays out a name at glyph level, without a text layout
// per name. For one font it learns, once each, the glyph and advance of
// every character it meets and the advance of every pair of neighbouring
// characters, both from the toolkit's own layout of that character or
// pair; a name's glyphs are then placed by adding up its pairs' advances.
// Kerning is a property of neighbouring pairs within one run of a script
// (the toolkit shapes a name in such runs, and a space, digit or mark of
// punctuation belongs to the run of the word before it), so a pair is
// learnt in the run it stands in: this gives the positions the toolkit's
// layout of the whole name gives, in the same 1/64 pixel steps, whatever
// scripts the name mixes. Characters whose shape can depend on more than
// their neighbour (combining marks, scripts outside Latin, Greek and
// Cyrillic), format characters such as the soft hyphen (which a layout
// shows or hides by where its line ends), pairs the layout merges into
// one glyph, characters the font lacks, bytes that stand for no character
// and trailing spaces are refused: such a name is drawn the plain way.
//
// What is kept grows with the characters and pairs met, never with the
// names: a few thousand entries for any map.

#include "platform/surface/TextEncoding.h"

#include <QFont>
#include <QRectF>
#include <QRawFont>

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

struct PlacedGlyph {
    quint32 id;
    double x;  // the glyph's origin, in the font's pixels from the text's top-left
    double y;
    QRectF ink;  // the glyph's outline box, from its origin
    char32_t code;  // the character it stands for
};

class CGlyphShaper {
public:
    explicit CGlyphShaper(const QFont& font);

    // The glyphs of text and the advance of its cell; false when the name
    // must be drawn the plain way. glyphs is reused as scratch space.
    bool Shape(std::string_view text, CTextEncoding encoding, std::vector<PlacedGlyph>& glyphs, double& advance);
    // The characters of the text Shape was last given, refused or not.
    const std::vector<char32_t>& Characters() const { return m_codes; }

    const QRawFont& RawFont() const { return m_raw; }
    double Ascent() const { return m_ascent; }
    double Height() const { return m_height; }

private:
    // Characters below this are kept in a table; no later one shapes alone.
    static constexpr char32_t kCharLimit = 0x0530;
    // Pairs of characters below this are kept in a table of their own.
    static constexpr char32_t kDensePairLimit = 0x100;
    struct CharInfo {
        bool known = false;
        bool usable = false;
        quint32 id = 0;
        std::uint8_t script = 0;  // of the run it starts alone (see ScriptOf)
        double advance = 0.0;  // alone, as the last of a text
        double y = 0.0;
        QRectF ink;
    };
    const CharInfo& InfoOf(char32_t c);
    // Stands for the end of a text in place of a following character.
    static constexpr char32_t kEnd = 0xFFFFFF;
    // The distance from a's origin to b's origin in "ab" (to the end of the
    // text for kEnd) within a run of that script; NaN when the pair does
    // not lay out as two glyphs of the font.
    double PairAdvance(char32_t a, char32_t b, std::uint8_t run);
    double LayOutPair(char32_t a, char32_t b, std::uint8_t run) const;

    QFont m_font;
    QRawFont m_raw;
    double m_ascent = 0.0, m_height = 0.0;
    std::vector<CharInfo> m_chars;  // kCharLimit entries
    // Advances of pairs: unknown (infinity), refused (NaN) or learnt; in
    // 1/64 pixel steps, which a float holds exactly. Pairs within a Latin
    // run are kept in a table, the others by run, first and second.
    std::vector<float> m_densePairs;
    std::unordered_map<std::uint64_t, float> m_pairs;
    std::vector<char32_t> m_codes;  // scratch: the text's characters
};
