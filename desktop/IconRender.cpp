// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the console's window icon as PNG files for the desktop's icon theme, one a size: the sizes the window
// draws itself are written as drawn, the larger ones are those pixels enlarged whole, so the icon stays sharp.
//
// Usage: quorvex_icon_render OUTPUT-FOLDER SIZE...   (writes OUTPUT-FOLDER/SIZExSIZE.png)

#include "console/AppIcon.h"

#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>

#include <cstdio>

namespace {

// The largest pixmap the icon holds that divides the size, so enlarging copies whole pixels.
QPixmap sourceFor(const QIcon& icon, int size)
{
    QPixmap best;
    for (const QSize available : icon.availableSizes()) {
        if (size % available.width() == 0 && available.width() > best.width()) {
            best = icon.pixmap(available);
        }
    }
    return best;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER SIZE...\n", argv[0]);
        return 2;
    }
    const QDir folder(QFile::decodeName(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "%s: cannot create the folder\n", argv[1]);
        return 1;
    }

    const QIcon icon = quorvex::console::makeAppIcon();
    for (int i = 2; i < argc; ++i) {
        bool isNumber = false;
        const int size = QString::fromLocal8Bit(argv[i]).toInt(&isNumber);
        const QPixmap source = isNumber && size > 0 ? sourceFor(icon, size) : QPixmap();
        if (source.isNull()) {
            std::fprintf(stderr, "%s: no size of the icon divides %s\n", argv[0], argv[i]);
            return 1;
        }
        const QString name = QStringLiteral("%1x%1.png").arg(size);
        const QPixmap scaled = source.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        if (!scaled.save(folder.filePath(name), "PNG")) {
            std::fprintf(stderr, "%s: cannot write %s\n", argv[0], qPrintable(folder.filePath(name)));
            return 1;
        }
    }
    return 0;
}
