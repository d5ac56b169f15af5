// SPDX-License-Identifier: MIT
#pragma once

// What kestrin-render adds to a picture for the people who look at it,
// over the map and in device pixels, in the legend's font:
//  - a title (--title): one line at the top centre, the text as typed
//    (UTF-8), drawn as plain text;
//  - a scale bar (--scale-bar) at the bottom left: a round number of light
//    years (1, 2 or 5 times a power of ten), its length the pixels that
//    measure exactly that many under the picture's mapping, labelled as a
//    measure line is ("N Light Years").
// On the screen picture they are white on black, on the printed page black
// on white, as the rest of each.

#include "RenderOptions.h"

#include "platform/surface/Mapping.h"
#include "platform/surface/Types.h"

#include "view/MapViewport.h"

#include <optional>
#include <string>

class CDC;

// What a screen picture reports as its resolution, as an image does.
inline constexpr int kScreenPictureDpi = 96;

// Whether o asks for a title or a scale bar.
bool HasPictureNotes(const RenderOptions& o);

// Why the title, the scale bar, --smooth or --legend do not go with the
// rest of o, or empty.
std::string PictureNotesProblem(const RenderOptions& o);
// Whether text may be a title: one line of UTF-8, not empty.
bool FitsTitle(const std::string& text);

// The scale bar of a picture of area device pixels at dpi under mapping,
// and its start (bottom left); nothing when not even one light year fits.
std::optional<CScaleBar> PlaceScaleBar(const CMapping& mapping, CSize area, int dpi, CPoint& start);
// Whether o's scale bar, if any, fits such a picture; else reason says why.
// Checked before a page is printed, since a PDF is written as it prints.
bool PictureNotesFit(const RenderOptions& o, const CMapping& mapping, CSize area, int dpi, std::string& reason);

// Draws o's title and scale bar on dc, which is in its default state (a
// pixel mapping): area is the picture's or the printed area's size in
// device pixels, mapping the map's mapping on it. False, with the reason,
// when not even one light year fits the picture's width.
bool DrawPictureNotes(CDC& dc, const RenderOptions& o, const CMapping& mapping, CSize area, bool printed,
                      std::string& reason);
