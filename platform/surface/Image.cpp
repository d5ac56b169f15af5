// SPDX-License-Identifier: MIT
#include "platform/surface/Image.h"

#include "platform/surface/OutputFile.h"
#include "platform/surface/qt/DCDevice.h"
#include "platform/surface/qt/DrawingRules.h"
#include "platform/surface/qt/ImageData.h"
#include "platform/surface/qt/PngEncode.h"

#include <QBuffer>
#include <QColor>
#include <QFileInfo>

namespace {

constexpr double kInchesPerMeter = 39.37007874;

} // namespace

void CImageData::Settle() const
{
    if (drawing != nullptr)
        drawing->Flush();
}

CImage::CImage() : m_data(std::make_unique<CImageData>()) {}

CImage::CImage(int width, int height, COLORREF fill) : CImage()
{
    if (width <= 0 || height <= 0)
        return;
    m_data->image = QImage(width, height, QImage::Format_RGB32);
    Fill(fill);
    SetDpi(96, 96);
}

// Copies are deep: a surface painting on one must never change the other.
CImage::CImage(const CImage& other) : CImage()
{
    other.m_data->Settle();
    m_data->image = other.m_data->image.copy();
}

CImage& CImage::operator=(const CImage& other)
{
    if (this != &other) {
        other.m_data->Settle();
        m_data->Settle();
        m_data->image = other.m_data->image.copy();
    }
    return *this;
}

CImage::CImage(CImage&& other) noexcept : CImage()
{
    m_data->image.swap(other.m_data->image);
}

CImage& CImage::operator=(CImage&& other) noexcept
{
    m_data->image.swap(other.m_data->image);
    return *this;
}

CImage::~CImage()
{
    // A surface still attached must not reach back into a freed record.
    if (m_data->drawing != nullptr)
        m_data->drawing->owner = nullptr;
}

CImageData* CImage::Data() const
{
    m_data->Settle();
    return m_data.get();
}

bool CImage::IsNull() const { return m_data->image.isNull(); }
int CImage::Width() const { return m_data->image.width(); }
int CImage::Height() const { return m_data->image.height(); }

void CImage::SetDpi(int dpiX, int dpiY)
{
    if (dpiX <= 0 || dpiY <= 0)
        return;
    m_data->image.setDotsPerMeterX(qRound(dpiX * kInchesPerMeter));
    m_data->image.setDotsPerMeterY(qRound(dpiY * kInchesPerMeter));
}

int CImage::DpiX() const { return qRound(m_data->image.dotsPerMeterX() / kInchesPerMeter); }
int CImage::DpiY() const { return qRound(m_data->image.dotsPerMeterY() / kInchesPerMeter); }

void CImage::Fill(COLORREF color)
{
    m_data->Settle();
    if (!IsNull())
        m_data->image.fill(ToQColor(color).rgb());
}

COLORREF CImage::GetPixel(int x, int y) const
{
    m_data->Settle();
    const QImage& img = m_data->image;
    if (x < 0 || y < 0 || x >= img.width() || y >= img.height())
        return 0;
    QRgb p = img.pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

long CImage::CountDifferences(const CImage& other) const
{
    m_data->Settle();
    other.m_data->Settle();
    const QImage& a = m_data->image;
    const QImage& b = other.m_data->image;
    if (a.size() != b.size())
        return static_cast<long>(a.width()) * a.height() + static_cast<long>(b.width()) * b.height();
    long count = 0;
    for (int y = 0; y < a.height(); ++y) {
        const QRgb* ra = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const QRgb* rb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            count += (ra[x] & 0xFFFFFF) != (rb[x] & 0xFFFFFF);
    }
    return count;
}

bool CImage::Save(const std::string& path) const
{
    std::string bytes;
    std::string format = QFileInfo(QString::fromStdString(path)).suffix().toUpper().toStdString();
    COutputFile file;
    return Encode(format, bytes) && file.Open(path) && file.Write(bytes) && file.Commit();
}

bool CImage::Encode(const std::string& format, std::string& bytes) const
{
    if (IsNull() || format.empty())
        return false;
    m_data->Settle();
    // The encoder writes to memory, where it cannot meet a full disk; the
    // file itself is written by code that checks every byte.
    if (format == "PNG") {
        bytes.clear();
        return EncodePng(m_data->image, bytes);
    }
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    if (!m_data->image.save(&buffer, format.c_str()))
        return false;
    bytes.assign(data.constData(), static_cast<size_t>(data.size()));
    return true;
}

bool CImage::Load(const std::string& path)
{
    QImage loaded;
    if (!loaded.load(QString::fromStdString(path)))
        return false;
    m_data->image = loaded.convertToFormat(QImage::Format_RGB32);
    return true;
}
