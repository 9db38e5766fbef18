// Writes the program's icon as PNG pictures of the sizes desktops look for, into
// OUTPUT/<size>x<size>/apps/tarvo-map-editor.png, from the 32-pixel picture the editor shows.
// The icon is pixel art: it is scaled without blending, only by whole factors upwards.
// Usage: tarvo_icon_maker ICON.xpm OUTPUT
#include <QDir>
#include <QImage>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: tarvo_icon_maker ICON.xpm OUTPUT\n");
        return 2;
    }
    QImage icon(QString::fromLocal8Bit(argv[1]));
    if (icon.isNull()) {
        std::fprintf(stderr, "tarvo_icon_maker: cannot read %s\n", argv[1]);
        return 1;
    }
    for (int size : {16, 32, 48, 64, 128, 256}) {
        // 48 is not a whole multiple of 32: it is 32 with a clear border of 8.
        QImage scaled = size == 48 ? icon
                                   : icon.scaled(size, size, Qt::IgnoreAspectRatio,
                                                 size < icon.width() ? Qt::SmoothTransformation
                                                                     : Qt::FastTransformation);
        if (size == 48) {
            QImage framed(48, 48, QImage::Format_ARGB32);
            framed.fill(Qt::transparent);
            for (int y = 0; y < icon.height(); ++y) {
                for (int x = 0; x < icon.width(); ++x) {
                    framed.setPixel(8 + x, 8 + y, icon.pixel(x, y));
                }
            }
            scaled = framed;
        }
        QString folder = QString("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[2])).arg(size);
        if (!QDir().mkpath(folder) || !scaled.save(folder + "/tarvo-map-editor.png")) {
            std::fprintf(stderr, "tarvo_icon_maker: cannot write into %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
