// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TrayIcon.h"

#include <QPainter>
#include <QPainterPath>

QImage smileyImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 22.0, size / 22.0);

    const QColor honey = QColor::fromRgbF(0.98f, 0.75f, 0.30f);
    const QColor ink = QColor::fromRgbF(0.35f, 0.25f, 0.20f);
    p.setPen(QPen(ink, 1.4));
    p.setBrush(honey);
    p.drawEllipse(QRectF(1.7, 1.7, 18.6, 18.6));

    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(QRectF(6.6, 7.0, 2.6, 3.2));
    p.drawEllipse(QRectF(12.8, 7.0, 2.6, 3.2));

    QPainterPath smile;
    smile.moveTo(6.5, 12.6);
    smile.quadTo(11, 17.6, 15.5, 12.6);
    p.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(smile);
    return image;
}

QList<QImage> smileyImages()
{
    QList<QImage> images;
    for (int size : {16, 22, 24, 32, 48})
        images.append(smileyImage(size));
    return images;
}

QIcon smileyIcon()
{
    QIcon icon;
    for (const QImage &image : smileyImages())
        icon.addPixmap(QPixmap::fromImage(image));
    return icon;
}
