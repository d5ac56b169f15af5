// SPDX-License-Identifier: MIT
#pragma once

// Pictures given as SVG text, drawn sharp at whatever pixel density the
// screen has. Every caller keeps a picture of its own to fall back on, so a
// null result is never an error to show.

#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <string>

// The picture drawn to fill `size` pixels on a clear ground; null when the
// text is empty or not a picture. `smooth` off gives the hard-edged pixels
// small toolbar cells are drawn with.
QImage SvgImage(const std::string& svg, QSize size, bool smooth = true);

// The picture for `logical` pixels on a screen of density `ratio`.
QPixmap SvgPixmap(const std::string& svg, QSize logical, qreal ratio);

// Adds the picture at every density up to 3 to `icon`, which holds the
// 1x picture already; returns false and leaves it alone when there is none.
bool AddSvgDensities(QIcon& icon, const std::string& svg, QSize logical);
