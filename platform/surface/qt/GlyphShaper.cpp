// SPDX-License-Identifier: MIT
#include "platform/surface/qt/GlyphShaper.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainterPath>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Latin, Greek and Cyrillic shape one character at a time; combining marks
// (their own block, and the marks Unicode scatters elsewhere) do not, and
// format characters (a soft hyphen, which the layout may show or hide) and
// controls draw differently within a name than alone.
bool ShapesAlone(char32_t c)
{
    if (c < 0x20 || c >= 0x0530 || (c >= 0x0300 && c < 0x0370) || (c >= 0x0483 && c < 0x048A))
        return false;
    switch (QChar::category(c)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_NotAssigned:
        return false;
    default:
        return true;
    }
}

// The script a character is shaped in on its own: the toolkit shapes a
// name in runs of one script, and characters common to all scripts
// (spaces, digits, punctuation) join the run of the word before them, or
// at the start of a name the run of the first word. Kerning works only
// within a run, by the rules of its script.
enum Script : std::uint8_t { kCommon, kLatin, kGreek, kCyrillic, kOther };

Script ScriptOf(char32_t c)
{
    switch (QChar::script(c)) {
    case QChar::Script_Common: return kCommon;
    case QChar::Script_Latin: return kLatin;
    case QChar::Script_Greek: return kGreek;
    case QChar::Script_Cyrillic: return kCyrillic;
    default: return kOther;
    }
}

// A letter of each script, to set a common character in that script's run.
constexpr char32_t kScriptLetter[] = {U'0', U'x', 0x03BF, 0x043E};

// The toolkit's layout of s in font as one line.
struct Layout {
    QTextLayout layout;
    QTextLine line;
    QList<QGlyphRun> runs;
    Layout(const QString& s, const QFont& font) : layout(s, font)
    {
        layout.setCacheEnabled(true);  // or the glyph runs shape it again
        layout.beginLayout();
        line = layout.createLine();
        layout.endLayout();
        runs = layout.glyphRuns();
    }
};

QString StringOf(std::initializer_list<char32_t> codes)
{
    QString s;
    for (char32_t c : codes)
        s += QString::fromUcs4(&c, 1);
    return s;
}

} // namespace

CGlyphShaper::CGlyphShaper(const QFont& font) : m_font(font)
{
    QFontMetricsF fm(m_font);
    m_ascent = fm.ascent();
    m_height = fm.ascent() + fm.descent();
    // The font the toolkit picks for plain letters: every usable glyph must
    // come from it, or the name is drawn the plain way.
    // Lines through a text are the layout's, not a glyph's: such a font is
    // drawn the plain way.
    Layout probe(QStringLiteral("a"), m_font);
    if (probe.runs.size() == 1 && !m_font.underline() && !m_font.strikeOut())
        m_raw = probe.runs.front().rawFont();
}

const CGlyphShaper::CharInfo& CGlyphShaper::InfoOf(char32_t c)
{
    static const CharInfo kRefused = [] {
        CharInfo refused;
        refused.known = true;
        return refused;
    }();
    if (c >= kCharLimit)
        return kRefused;
    if (m_chars.empty())
        m_chars.resize(kCharLimit);
    CharInfo& info = m_chars[c];
    if (info.known)
        return info;
    info.known = true;
    info.script = ScriptOf(c);
    if (!m_raw.isValid() || info.script == kOther || !ShapesAlone(c))
        return info;
    if (c == U' ') {
        // A space draws nothing; only its advance inside a name matters,
        // and that comes from its pairs.
        info.usable = true;
        info.id = std::numeric_limits<quint32>::max();
        return info;
    }
    Layout one(StringOf({c}), m_font);
    if (one.runs.size() == 1 && one.runs.front().rawFont() == m_raw && one.runs.front().glyphIndexes().size() == 1) {
        info.usable = true;
        info.id = one.runs.front().glyphIndexes().front();
        info.y = one.runs.front().positions().front().y();
        info.advance = one.line.horizontalAdvance();
        // The outline the toolkit fills for large text, not the hinted
        // metrics, which may lie inside it.
        info.ink = m_raw.pathForGlyph(info.id).boundingRect();
    }
    return info;
}

double CGlyphShaper::PairAdvance(char32_t a, char32_t b, std::uint8_t run)
{
    if (run == kLatin && a < kDensePairLimit && b < kDensePairLimit) {
        if (m_densePairs.empty())
            m_densePairs.assign(kDensePairLimit * kDensePairLimit, std::numeric_limits<float>::infinity());
        float& slot = m_densePairs[a * kDensePairLimit + b];
        if (std::isinf(slot))
            slot = float(LayOutPair(a, b, run));
        return slot;
    }
    const std::uint64_t key = (std::uint64_t(run) << 48) | (std::uint64_t(a) << 24) | b;
    auto found = m_pairs.find(key);
    if (found != m_pairs.end())
        return found->second;
    return m_pairs.emplace(key, float(LayOutPair(a, b, run))).first->second;
}

double CGlyphShaper::LayOutPair(char32_t a, char32_t b, std::uint8_t run) const
{
    double advance = std::numeric_limits<double>::quiet_NaN();
    // A common character is set after a letter of its run's script, so
    // that the layout puts it in that run as the name does; a space is
    // also followed by one, so that the layout sees no trailing space.
    const char32_t letter = kScriptLetter[run];
    const int before = ScriptOf(a) == kCommon ? 1 : 0;
    QString s = StringOf({a});
    if (before)
        s.prepend(QString::fromUcs4(&letter, 1));
    if (b != kEnd)
        s += StringOf({b});
    if (b == U' ')
        s += QString::fromUcs4(&letter, 1);
    Layout two(s, m_font);
    if (two.runs.size() == 1 && two.runs.front().rawFont() == m_raw) {
        const QList<QPointF> at = two.runs.front().positions();
        if (at.size() == s.size())
            advance = (b == kEnd ? two.line.horizontalAdvance() : at[before + 1].x()) - at[before].x();
    }
    return advance;
}

bool CGlyphShaper::Shape(std::string_view text, CTextEncoding encoding, std::vector<PlacedGlyph>& glyphs,
                         double& advance)
{
    glyphs.clear();
    ToCharacters(text, encoding, m_codes);
    if (m_codes.empty() || m_codes.back() == U' ')
        return false;
    // Common characters before the first word join its run.
    std::uint8_t run = kCommon;
    for (char32_t c : m_codes) {
        const CharInfo& info = InfoOf(c);
        if (!info.usable)
            return false;
        if (run == kCommon)
            run = info.script;
    }
    double x = 0.0;
    for (std::size_t i = 0; i < m_codes.size(); ++i) {
        const char32_t c = m_codes[i];
        const CharInfo& info = InfoOf(c);
        if (info.script != kCommon)
            run = info.script;
        if (info.id != std::numeric_limits<quint32>::max())
            glyphs.push_back({info.id, x, info.y, info.ink, c});
        const bool last = i + 1 == m_codes.size();
        // A letter ends a name as it does alone; a common character may
        // end it within a run of another script.
        const double step = last && info.script != kCommon ? info.advance
                                                           : PairAdvance(c, last ? kEnd : m_codes[i + 1], run);
        if (std::isnan(step))
            return false;
        x += step;
    }
    advance = x;
    return true;
}
