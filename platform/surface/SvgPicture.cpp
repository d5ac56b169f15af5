#include "platform/surface/SvgPicture.h"

#include "platform/surface/DC.h"
#include "platform/surface/qt/DCAccess.h"
#include "platform/surface/qt/SvgTidy.h"

#include <QBuffer>
#include <QByteArray>
#include <QSvgGenerator>

#include <algorithm>

namespace {

constexpr qsizetype kReservedBytes = qsizetype(64) << 20;

} // namespace

struct CSvgPictureData {
    QByteArray bytes;
    QBuffer buffer{&bytes};
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
    // A map of many planets writes tens of megabytes; growing the buffer
    // step by step would copy them over and over. Pages reserved but never
    // written cost no memory.
    m_data->bytes.reserve(kReservedBytes);
    m_data->generator.setOutputDevice(&m_data->buffer);
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
    bytes = TidySvg(std::string_view(d.bytes.constData(), static_cast<std::size_t>(d.bytes.size())));
    d.bytes.clear();
    return !bytes.empty();
}
