// SPDX-License-Identifier: MIT
#include "platform/framework/qt/IconRaster.h"

#include <QPainter>
#include <QSvgRenderer>

QImage SvgImage(const std::string& svg, QSize size, bool smooth)
{
    if (svg.empty() || size.isEmpty())
        return QImage();
    QSvgRenderer renderer(QByteArray::fromRawData(svg.data(), static_cast<qsizetype>(svg.size())));
    if (!renderer.isValid())
        return QImage();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, smooth);
    renderer.render(&painter);
    return image;
}

QPixmap SvgPixmap(const std::string& svg, QSize logical, qreal ratio)
{
    QImage image = SvgImage(svg, (QSizeF(logical) * ratio).toSize());
    if (image.isNull())
        return QPixmap();
    image.setDevicePixelRatio(ratio);
    return QPixmap::fromImage(image);
}

bool AddSvgDensities(QIcon& icon, const std::string& svg, QSize logical)
{
    bool any = false;
    for (qreal ratio : {1.25, 1.5, 2.0, 3.0}) {
        QPixmap pixmap = SvgPixmap(svg, logical, ratio);
        if (pixmap.isNull())
            return any;
        icon.addPixmap(pixmap);
        any = true;
    }
    return any;
}
