// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppIcon.h"

#include <QPainter>
#include <QPixmap>

namespace quorvex::console {
namespace {

QPixmap drawIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(QColor(192, 192, 192));
    QPainter painter(&pixmap);

    // Raised bevel: light top and left edges, dark bottom and right edges, two pixels deep at 32.
    const int depth = size >= 32 ? 2 : 1;
    for (int i = 0; i < depth; ++i) {
        painter.setPen(Qt::white);
        painter.drawLine(i, i, size - 1 - i, i);
        painter.drawLine(i, i, i, size - 1 - i);
        painter.setPen(QColor(128, 128, 128));
        painter.drawLine(i, size - 1 - i, size - 1 - i, size - 1 - i);
        painter.drawLine(size - 1 - i, i, size - 1 - i, size - 1 - i);
    }

    const int margin = size / 6;
    const int arm = size / 5;
    const int centre = size / 2;
    QPolygon plus;
    plus << QPoint(centre - arm / 2, margin) << QPoint(centre + arm / 2, margin)
         << QPoint(centre + arm / 2, centre - arm / 2) << QPoint(size - margin, centre - arm / 2)
         << QPoint(size - margin, centre + arm / 2) << QPoint(centre + arm / 2, centre + arm / 2)
         << QPoint(centre + arm / 2, size - margin) << QPoint(centre - arm / 2, size - margin)
         << QPoint(centre - arm / 2, centre + arm / 2) << QPoint(margin, centre + arm / 2)
         << QPoint(margin, centre - arm / 2) << QPoint(centre - arm / 2, centre - arm / 2);
    painter.setPen(Qt::black);
    painter.setBrush(QColor(224, 224, 224));
    painter.drawPolygon(plus);
    return pixmap;
}

} // namespace

QIcon makeAppIcon()
{
    QIcon icon;
    icon.addPixmap(drawIcon(32));
    icon.addPixmap(drawIcon(16));
    return icon;
}

} // namespace quorvex::console
