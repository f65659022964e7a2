// Writes the desktop icons into the folder given: selenara-SIZE.png for the hicolor
// sizes and selenara.svg, all from the same moon drawing as the program's own icons.
#include "toolkit/MoonIcons.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>

namespace {

// A waxing gibbous moon, about four fifths lit: reads as the moon even at 16 px,
// where a full disc would be just a white dot.
constexpr int kIconPhase = 11;
constexpr int kSvgSide = 256;

bool WriteSvg(const QString& path) {
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(kSvgSide, kSvgSide));
    svg.setViewBox(QRect(0, 0, kSvgSide, kSvgSide));
    svg.setTitle(QStringLiteral("Selenara"));
    svg.setDescription(QStringLiteral("Waxing gibbous moon"));
    QPainter painter;
    if (!painter.begin(&svg)) return false;
    selenara::PaintMoon(painter, kIconPhase, kSvgSide);
    return painter.end();
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: selenara-icons OUTDIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString path = out.filePath(QStringLiteral("selenara-%1.png").arg(size));
        if (!selenara::MoonIcon(kIconPhase, size).save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    if (!WriteSvg(out.filePath(QStringLiteral("selenara.svg")))) {
        std::fprintf(stderr, "cannot write the SVG\n");
        return 1;
    }
    return 0;
}
