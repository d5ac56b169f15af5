// SPDX-License-Identifier: MIT
#pragma once

// A 32-bit RGB picture in memory: the target of off-screen surfaces, the
// view's back buffer, and what tests compare.
//
// A surface drawing on an image holds its shapes and texts back (DC.h);
// every member that reads, copies, saves or changes the pixels puts them in
// first, so an image always shows everything drawn on it so far, whichever
// surface is still attached.

#include "platform/surface/Types.h"

#include <memory>
#include <string>

struct CImageData;

class CImage {
public:
    CImage();
    CImage(int width, int height, COLORREF fill = RGB(0, 0, 0));
    CImage(const CImage& other);
    CImage& operator=(const CImage& other);
    // Moves hand the pixels over without copying them.
    CImage(CImage&& other) noexcept;
    CImage& operator=(CImage&& other) noexcept;
    ~CImage();

    bool IsNull() const;
    int Width() const;
    int Height() const;
    // Dots per inch reported to a surface drawing on the image.
    void SetDpi(int dpiX, int dpiY);
    int DpiX() const;
    int DpiY() const;

    void Fill(COLORREF color);
    // Colour of one pixel; outside the image, 0.
    COLORREF GetPixel(int x, int y) const;
    // Number of pixels that differ from other's (all of them if the sizes differ).
    long CountDifferences(const CImage& other) const;
    // Writes the picture in the format its extension names, through
    // COutputFile: on failure the file at path stays as it was.
    bool Save(const std::string& path) const;
    // The picture as the bytes of a file format such as "PNG"; false when
    // there is no writer for it.
    bool Encode(const std::string& format, std::string& bytes) const;
    bool Load(const std::string& path);

    // The platform's record of the picture, with everything drawn on it so
    // far in its pixels.
    CImageData* Data() const;

private:
    std::unique_ptr<CImageData> m_data;
};
