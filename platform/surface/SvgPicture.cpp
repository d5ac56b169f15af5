// SPDX-License-Identifier: MIT
#include "platform/surface/SvgPicture.h"

#include "platform/surface/DC.h"
#include "platform/surface/qt/DCAccess.h"
#include "platform/surface/qt/SvgTidy.h"

#include <QIODevice>
#include <QSvgGenerator>

#include <algorithm>
#include <string_view>

namespace {

// Where the toolkit writes the document: straight into the tidier, so that
// the untidy text, twice the size of the tidy one, is never held whole.
class TidySink : public QIODevice {
public:
    TidySink() { open(QIODevice::WriteOnly); }
    std::string Finish() { return m_tidier.Finish(); }

protected:
    qint64 writeData(const char* data, qint64 size) override
    {
        m_tidier.Feed(std::string_view(data, static_cast<std::size_t>(size)));
        return size;
    }
    qint64 readData(char*, qint64) override { return -1; }

private:
    CSvgTidier m_tidier;
};

} // namespace

struct CSvgPictureData {
    TidySink sink;
    QSvgGenerator generator;
    COLORREF background = RGB(0, 0, 0);
    int dpi = 96;
    CDC* surface = nullptr;
    bool finished = false;
};

CSvgPicture::CSvgPicture(int width, int height, int dpi, COLORREF background)
    : m_data(std::make_unique<CSvgPictureData>())
{
    const QSize size(std::max(width, 1), std::max(height, 1));
    m_data->generator.setOutputDevice(&m_data->sink);
    m_data->generator.setSize(size);
    m_data->generator.setViewBox(QRect(QPoint(0, 0), size));
    m_data->generator.setResolution(std::max(dpi, 1));
    m_data->background = background;
    m_data->dpi = std::max(dpi, 1);
}

CSvgPicture::~CSvgPicture() = default;

BOOL CSvgPicture::Attach(CDC& dc)
{
    CSvgPictureData& d = *m_data;
    if (d.finished || (d.surface != nullptr && d.surface != &dc))
        return FALSE;
    if (d.surface == &dc) {
        CDCAccess::Reset(dc);
        return TRUE;
    }
    // The document is written as the painter goes: one painter, from the
    // first attach to Finish.
    if (!CDCAccess::Attach(dc, &d.generator, d.dpi, d.dpi))
        return FALSE;
    CDCAccess::CentreLinesOnPixels(dc);
    d.surface = &dc;
    const CSize size = dc.GetDeviceSize();
    dc.FillSolidRect(CRect(0, 0, size.cx, size.cy), d.background);
    return TRUE;
}

bool CSvgPicture::Finish(CDC& dc, std::string& bytes)
{
    CSvgPictureData& d = *m_data;
    if (d.finished || d.surface != &dc)
        return false;
    dc.Detach();  // ends the painter, which writes the document's end
    d.surface = nullptr;
    d.finished = true;
    bytes = d.sink.Finish();
    return !bytes.empty();
}
