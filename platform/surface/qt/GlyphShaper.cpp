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
// (their own block, and the marks Unicode scatters elsewhere) do not.
bool ShapesAlone(char32_t c)
{
    if (c < 0x20 || c >= 0x0530 || (c >= 0x0300 && c < 0x0370) || (c >= 0x0483 && c < 0x048A))
        return false;
    return !QChar::isMark(c);
}

// The toolkit's layout of s in font as one line.
struct Layout {
    QTextLayout layout;
    QTextLine line;
    QList<QGlyphRun> runs;
    Layout(const QString& s, const QFont& font) : layout(s, font)
    {
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
    ++m_charCount;
    if (ShapesAlone(c) && m_raw.isValid() && c != U' ') {
        Layout one(StringOf({c}), m_font);
        if (one.runs.size() == 1 && one.runs.front().rawFont() == m_raw &&
            one.runs.front().glyphIndexes().size() == 1) {
            info.usable = true;
            info.id = one.runs.front().glyphIndexes().front();
            info.y = one.runs.front().positions().front().y();
            info.advance = one.line.horizontalAdvance();
            // The outline the toolkit fills for large text, not the
            // hinted metrics, which may lie inside it.
            info.ink = m_raw.pathForGlyph(info.id).boundingRect();
        }
    } else if (c == U' ' && m_raw.isValid()) {
        // A space draws nothing; only its advance inside a name matters,
        // and that comes from its pairs.
        info.usable = true;
        info.id = std::numeric_limits<quint32>::max();
    }
    return info;
}

double CGlyphShaper::PairAdvance(char32_t a, char32_t b)
{
    if (a < kDensePairLimit && b < kDensePairLimit) {
        if (m_densePairs.empty())
            m_densePairs.assign(kDensePairLimit * kDensePairLimit, std::numeric_limits<float>::infinity());
        float& slot = m_densePairs[a * kDensePairLimit + b];
        if (std::isinf(slot)) {
            slot = float(LayOutPair(a, b));
            ++m_densePairCount;
        }
        return slot;
    }
    const std::uint64_t key = (std::uint64_t(a) << 32) | b;
    auto found = m_pairs.find(key);
    if (found != m_pairs.end())
        return found->second;
    return m_pairs.emplace(key, float(LayOutPair(a, b))).first->second;
}

double CGlyphShaper::LayOutPair(char32_t a, char32_t b) const
{
    double advance = std::numeric_limits<double>::quiet_NaN();
    // A letter on either side of a space, so that the layout sees neither a
    // leading nor a trailing space.
    const int before = a == U' ' ? 1 : 0;
    QString s = StringOf({a, b});
    if (before)
        s.prepend(QLatin1Char('x'));
    if (b == U' ')
        s.append(QLatin1Char('x'));
    Layout two(s, m_font);
    if (two.runs.size() == 1 && two.runs.front().rawFont() == m_raw) {
        const QList<QPointF> at = two.runs.front().positions();
        if (at.size() == s.size())
            advance = at[before + 1].x() - at[before].x();
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
    double x = 0.0;
    for (std::size_t i = 0; i < m_codes.size(); ++i) {
        const CharInfo& info = InfoOf(m_codes[i]);
        if (!info.usable)
            return false;
        if (info.id != std::numeric_limits<quint32>::max())
            glyphs.push_back({info.id, x, info.y, info.ink, m_codes[i]});
        if (i + 1 == m_codes.size()) {
            x += info.advance;
            break;
        }
        const double step = PairAdvance(m_codes[i], m_codes[i + 1]);
        if (std::isnan(step))
            return false;
        x += step;
    }
    advance = x;
    return true;
}
