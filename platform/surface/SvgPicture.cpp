#include "platform/surface/SvgPicture.h"

#include "platform/surface/DC.h"
#include "platform/surface/qt/DCAccess.h"
#include "platform/surface/qt/DrawingRules.h"

#include <QBuffer>
#include <QByteArray>
#include <QSvgGenerator>

#include <algorithm>

namespace {

// XML allows no control character but tab, line feed and carriage return,
// not even as a reference, nor U+FFFE and U+FFFF; a name may hold any of
// them. The markup itself never does, and in UTF-8 no byte below 0x80 is
// part of a longer character, so each such character of the document is
// a character of some text: it becomes U+FFFD, as a byte that stands for
// no character does.
void ReplaceCharactersXmlForbids(std::string& bytes)
{
    static const std::string kReplacement = "\xEF\xBF\xBD";
    std::string safe;
    safe.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') {
            safe += kReplacement;
        } else if (c == 0xEF && i + 2 < bytes.size() && bytes[i + 1] == '\xBF' &&
                   (bytes[i + 2] == '\xBE' || bytes[i + 2] == '\xBF')) {
            safe += kReplacement;
            i += 2;
        } else {
            safe += bytes[i];
        }
    }
    bytes.swap(safe);
}

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
    bytes.assign(d.bytes.constData(), static_cast<std::size_t>(d.bytes.size()));
    ReplaceCharactersXmlForbids(bytes);
    return !bytes.empty();
}
