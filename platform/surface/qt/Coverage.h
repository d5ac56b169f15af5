// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: which pixels of a device are already spoken for by
// opaque boxes drawn later in a picture. A repaint held back as a list is
// looked at from its last item to its first; an item all of whose pixels
// lie under the boxes of items after it cannot change the picture and is
// left out. One bit a pixel, with a count per row so that rows and the
// device wholly covered are answered at once, and the widest run of
// covered pixels known in each row, so that boxes piled on one another
// (names that start at one place) are answered a row at a time, and the
// largest box added, which answers a box within it at once: a test
// costs at most a word per 64 pixels of the rows where neither answers.

#include <QRect>

#include <cstdint>
#include <vector>

class CCoverage {
public:
    CCoverage(int width, int height);

    // Every pixel of r (within the device) is covered.
    bool Covers(const QRect& r) const;
    // The smallest box holding every pixel of r (within the device) not
    // covered; empty when Covers(r).
    QRect Uncovered(const QRect& r) const;
    // Marks the pixels of r (within the device) covered.
    void Add(const QRect& r);
    bool Full() const { return m_fullRows == m_height; }
    int Width() const { return m_width; }

private:
    int m_width, m_height, m_words;
    std::vector<std::uint64_t> m_bits;
    std::vector<int> m_rowCount;  // covered pixels of each row
    // A run of covered pixels in each row, [first, past)
    std::vector<int> m_runFirst, m_runPast;
    QRect m_largest;  // the largest box added
    void AddRun(int y, int x1, int x2);
    bool RowCovers(int y, int x1, int x2) const;
    int m_fullRows = 0;
};
