// SPDX-License-Identifier: MIT
#include "platform/print/PdfPicture.h"

#include "platform/print/qt/PdfFileOutput.h"
#include "platform/surface/DC.h"
#include "platform/surface/qt/DCAccess.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include <algorithm>

namespace {

// One pixel of the picture to one point of the page.
constexpr int kPointsPerInch = 72;

} // namespace

struct CPdfPictureData {
    QByteArray bytes;
    QBuffer buffer{&bytes};
    std::unique_ptr<QPdfWriter> writer;
    COLORREF background = RGB(0, 0, 0);
    int dpi = 96;
    CDC* surface = nullptr;
    bool finished = false;
};

CPdfPicture::CPdfPicture(int width, int height, int dpi, COLORREF background)
    : m_data(std::make_unique<CPdfPictureData>())
{
    CPdfPictureData& d = *m_data;
    d.buffer.open(QIODevice::WriteOnly);
    d.writer = std::make_unique<QPdfWriter>(&d.buffer);
    d.writer->setResolution(kPointsPerInch);
    const QSizeF points(std::max(width, 1), std::max(height, 1));
    d.writer->setPageLayout(QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                                        QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    d.writer->setCreator(QStringLiteral("Kestrin"));
    d.background = background;
    d.dpi = std::max(dpi, 1);
}

CPdfPicture::~CPdfPicture() = default;

BOOL CPdfPicture::Attach(CDC& dc)
{
    CPdfPictureData& d = *m_data;
    if (d.finished || (d.surface != nullptr && d.surface != &dc))
        return FALSE;
    if (d.surface == &dc) {
        CDCAccess::Reset(dc);
        return TRUE;
    }
    // The page is written as the painter goes: one painter, from the first
    // attach to Finish.
    if (!CDCAccess::Attach(dc, d.writer.get(), d.dpi, d.dpi))
        return FALSE;
    CDCAccess::CentreLinesOnPixels(dc);
    CDCAccess::ClipToDevice(dc);
    d.surface = &dc;
    const CSize size = dc.GetDeviceSize();
    dc.FillSolidRect(CRect(0, 0, size.cx, size.cy), d.background);
    return TRUE;
}

bool CPdfPicture::Finish(CDC& dc, std::string& bytes)
{
    CPdfPictureData& d = *m_data;
    if (d.finished || d.surface != &dc)
        return false;
    dc.Detach();  // ends the painter, which writes the document's end
    d.surface = nullptr;
    d.finished = true;
    d.writer.reset();
    bytes.assign(d.bytes.constData(), std::size_t(d.bytes.size()));
    return IsCompletePdf(bytes);
}
