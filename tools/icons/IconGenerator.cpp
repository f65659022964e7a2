// Writes the desktop icons into the folder given: selenara-SIZE.png for the hicolor
// sizes, selenara.ico for the Windows program and its installer, and selenara.svg,
// all from the same moon drawing as the program's own icons.
#include "toolkit/MoonIcons.h"

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QGuiApplication>
#include <QList>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <utility>

namespace {

// A waxing gibbous moon, about four fifths lit: reads as the moon even at 16 px,
// where a full disc would be just a white dot.
constexpr int kIconPhase = 11;
constexpr int kSvgSide = 256;

// The ICO's sizes: what Explorer, the title bar and the taskbar ask for at 100 to
// 200 % scaling. 22 is a Linux panel size only.
constexpr int kIcoSizes[] = {16, 24, 32, 48, 64, 128, 256};

QByteArray EncodePng(const QImage& image) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return {};
    return png;
}

void AppendLe16(QByteArray& out, quint32 value) {
    out.append(static_cast<char>(value & 0xFF));
    out.append(static_cast<char>((value >> 8) & 0xFF));
}

void AppendLe32(QByteArray& out, quint32 value) {
    AppendLe16(out, value & 0xFFFF);
    AppendLe16(out, value >> 16);
}

// An icon file whose entries are whole PNG files (size, PNG). Windows reads
// those since Vista, and they keep the 32-bit alpha at a fraction of a bitmap's
// size. The layout: a 6-byte header, one 16-byte entry per image, then the images.
QByteArray IcoFile(const QList<std::pair<int, QByteArray>>& images) {
    constexpr quint32 kHeaderBytes = 6;
    constexpr quint32 kEntryBytes = 16;
    QByteArray ico;
    AppendLe16(ico, 0);  // reserved
    AppendLe16(ico, 1);  // type: icon (2 would be a cursor)
    AppendLe16(ico, static_cast<quint32>(images.size()));
    quint32 offset = kHeaderBytes + kEntryBytes * static_cast<quint32>(images.size());
    for (const auto& [side, png] : images) {
        // One byte each for width and height: 256 is written as 0.
        ico.append(static_cast<char>(side >= 256 ? 0 : side));
        ico.append(static_cast<char>(side >= 256 ? 0 : side));
        ico.append('\0');     // palette colours: none
        ico.append('\0');     // reserved
        AppendLe16(ico, 1);   // colour planes
        AppendLe16(ico, 32);  // bits per pixel
        AppendLe32(ico, static_cast<quint32>(png.size()));
        AppendLe32(ico, offset);
        offset += static_cast<quint32>(png.size());
    }
    for (const auto& image : images) ico.append(image.second);
    return ico;
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

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
    // The ICO holds the very bytes of the PNG files of its sizes.
    QList<std::pair<int, QByteArray>> icoImages;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString path = out.filePath(QStringLiteral("selenara-%1.png").arg(size));
        const QByteArray png = EncodePng(selenara::MoonIcon(kIconPhase, size));
        if (png.isEmpty() || !WriteFile(path, png)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        if (std::find(std::begin(kIcoSizes), std::end(kIcoSizes), size) != std::end(kIcoSizes))
            icoImages.append({size, png});
    }
    const QString icoPath = out.filePath(QStringLiteral("selenara.ico"));
    if (!WriteFile(icoPath, IcoFile(icoImages))) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(icoPath));
        return 1;
    }
    if (!WriteSvg(out.filePath(QStringLiteral("selenara.svg")))) {
        std::fprintf(stderr, "cannot write the SVG\n");
        return 1;
    }
    return 0;
}
