// SPDX-License-Identifier: MIT
#pragma once

// A picture as a one-page PDF of vector graphics, in colour: a page of the
// picture's size in pixels, one pixel to a point, drawn through a CDC
// exactly as the SVG picture is (SvgPicture.h): every call at once, lines
// through the middle of their pixels, texts as text over their opaque
// cells. Attaching the same surface again puts it back in its default
// state on the same page, for a legend drawn in device pixels after the
// map. Finish ends the document in memory and gives its bytes only when
// they hold a whole PDF; the caller writes them through its safe output
// file. A surface still attached must be finished, detached or destroyed
// before the picture is.

#include "platform/surface/Types.h"

#include <memory>
#include <string>

class CDC;
struct CPdfPictureData;

class CPdfPicture {
public:
    // width and height in pixels, at least 1 each; dpi is what the surface
    // reports as its resolution (96 for a screen picture).
    CPdfPicture(int width, int height, int dpi, COLORREF background);
    ~CPdfPicture();
    CPdfPicture(const CPdfPicture&) = delete;
    CPdfPicture& operator=(const CPdfPicture&) = delete;

    // Draws on the picture through dc from now on, in the default state.
    // FALSE when it is finished or another surface draws on it.
    BOOL Attach(CDC& dc);
    // Detaches dc and ends the document; false when it is not whole.
    bool Finish(CDC& dc, std::string& bytes);

private:
    std::unique_ptr<CPdfPictureData> m_data;
};
