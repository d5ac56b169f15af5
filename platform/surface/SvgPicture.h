// SPDX-License-Identifier: MIT
#pragma once

// A picture made of vector graphics: an SVG document of a fixed size in
// pixels, drawn through a CDC exactly as an image is. The surface keeps
// its rules on it: shapes wholly outside the picture are left out, an
// ellipse is an ellipse with a one-pixel outline (a dot under two pixels
// across), a text is a text element over its opaque cell box, and a line
// is a line. Only what the image's fast paths do differently differs:
// here everything is drawn the plain way, one element per shape, and a
// character that XML cannot hold (a control character in a name) is
// written as U+FFFD, so the document is always well-formed XML.
//
// The picture starts filled with its background colour. One surface draws
// on it; attaching that surface again puts it back in its default state
// on the same document, for a second step such as a legend drawn in
// device pixels after the map. Finish ends the document and gives its
// bytes; the picture draws nothing after that. A surface still attached
// must be finished, detached or destroyed before the picture is.

#include "platform/surface/Types.h"

#include <memory>
#include <string>

class CDC;
struct CSvgPictureData;

class CSvgPicture {
public:
    // width and height in pixels, at least 1 each; dpi is what the surface
    // reports as its resolution (96 for a screen picture).
    CSvgPicture(int width, int height, int dpi, COLORREF background);
    ~CSvgPicture();
    CSvgPicture(const CSvgPicture&) = delete;
    CSvgPicture& operator=(const CSvgPicture&) = delete;

    // Draws on the picture through dc from now on, in the default state.
    // FALSE when it is finished or another surface draws on it.
    BOOL Attach(CDC& dc);
    // Detaches dc and ends the document; false when it could not be made.
    bool Finish(CDC& dc, std::string& bytes);

private:
    std::unique_ptr<CSvgPictureData> m_data;
};
