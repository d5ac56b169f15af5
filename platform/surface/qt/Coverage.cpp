// SPDX-License-Identifier: MIT
#include "platform/surface/qt/Coverage.h"

#include <algorithm>
#include <bit>

namespace {

// The bits of word w that fall within columns [x1, x2).
std::uint64_t WordMask(int w, int x1, int x2)
{
    const int lo = std::max(x1 - w * 64, 0), hi = std::min(x2 - w * 64, 64);
    if (hi <= lo)
        return 0;
    const std::uint64_t upTo = hi == 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << hi) - 1;
    return upTo & ~((std::uint64_t(1) << lo) - 1);
}

// The first and last columns within [x1, x2) whose bit in row is clear;
// -1 when there are none.
int FirstClear(const std::uint64_t* row, int x1, int x2)
{
    for (int w = x1 / 64; w <= (x2 - 1) / 64; ++w)
        if (const std::uint64_t clear = ~row[w] & WordMask(w, x1, x2))
            return w * 64 + std::countr_zero(clear);
    return -1;
}

int LastClear(const std::uint64_t* row, int x1, int x2)
{
    for (int w = (x2 - 1) / 64; w >= x1 / 64; --w)
        if (const std::uint64_t clear = ~row[w] & WordMask(w, x1, x2))
            return w * 64 + 63 - std::countl_zero(clear);
    return -1;
}

} // namespace

CCoverage::CCoverage(int width, int height)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)), m_words((m_width + 63) / 64),
      m_bits(std::size_t(m_words) * m_height), m_rowCount(m_height), m_runFirst(m_height), m_runPast(m_height)
{
}

bool CCoverage::RowCovers(int y, int x1, int x2) const
{
    if (m_rowCount[y] == m_width || (x1 >= m_runFirst[y] && x2 <= m_runPast[y]))
        return true;
    const std::uint64_t* row = &m_bits[std::size_t(y) * m_words];
    for (int w = x1 / 64; w <= (x2 - 1) / 64; ++w) {
        const std::uint64_t mask = WordMask(w, x1, x2);
        if ((row[w] & mask) != mask)
            return false;
    }
    return true;
}

bool CCoverage::Covers(const QRect& r) const
{
    const QRect c = r & QRect(0, 0, m_width, m_height);
    if (c.isEmpty() || Full() || m_largest.contains(c))
        return true;
    const int x1 = c.left(), x2 = c.right() + 1;
    // A box that reaches past the ones added does so at its edge rows
    // first, as a rule: those are asked first.
    if (!RowCovers(c.bottom(), x1, x2) || !RowCovers(c.top(), x1, x2))
        return false;
    for (int y = c.top() + 1; y < c.bottom(); ++y)
        if (!RowCovers(y, x1, x2))
            return false;
    return true;
}

void CCoverage::Add(const QRect& r)
{
    const QRect c = r & QRect(0, 0, m_width, m_height);
    if (c.isEmpty())
        return;
    if (qint64(c.width()) * c.height() > qint64(m_largest.width()) * m_largest.height())
        m_largest = c;
    const int x1 = c.left(), x2 = c.right() + 1;
    for (int y = c.top(); y <= c.bottom(); ++y) {
        // Within the row's widest run (all of it covered) nothing is new:
        // names piled at one start add the same cell again and again.
        if (m_rowCount[y] == m_width || (x1 >= m_runFirst[y] && x2 <= m_runPast[y]))
            continue;
        std::uint64_t* row = &m_bits[std::size_t(y) * m_words];
        for (int w = x1 / 64; w <= (x2 - 1) / 64; ++w) {
            const std::uint64_t mask = WordMask(w, x1, x2);
            m_rowCount[y] += std::popcount(mask & ~row[w]);
            row[w] |= mask;
        }
        m_fullRows += m_rowCount[y] == m_width;
        AddRun(y, x1, x2);
    }
}

void CCoverage::AddRun(int y, int x1, int x2)
{
    int& first = m_runFirst[y];
    int& past = m_runPast[y];
    if (x1 <= past && x2 >= first)  // meets the run: together they are one
        first = std::min(first, x1), past = std::max(past, x2);
    else if (x2 - x1 > past - first)
        first = x1, past = x2;
}

QRect CCoverage::Uncovered(const QRect& r) const
{
    const QRect c = r & QRect(0, 0, m_width, m_height);
    if (c.isEmpty() || Full() || m_largest.contains(c))
        return QRect();
    int left = m_width, right = -1, top = -1, bottom = -1;
    for (int y = c.top(); y <= c.bottom(); ++y) {
        // Past the row's run where it holds either end of r.
        const int first = m_runFirst[y], past = m_runPast[y];
        const int x1 = first <= c.left() && past > c.left() ? past : c.left();
        const int x2 = first <= c.right() && past > c.right() ? first : c.right() + 1;
        if (m_rowCount[y] == m_width || x1 >= x2)
            continue;
        const std::uint64_t* row = &m_bits[std::size_t(y) * m_words];
        const int from = FirstClear(row, x1, x2);
        if (from < 0)
            continue;
        left = std::min(left, from), right = std::max(right, LastClear(row, x1, x2));
        top = top < 0 ? y : top, bottom = y;
    }
    return top < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}
