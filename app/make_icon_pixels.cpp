// Build-time tool: turns the window icon's PNG (drawn by rsvg-convert from
// the SVG) into icon_pixels.h, a constexpr array of ARGB pixels, so that
// start-up decodes no image.
//
//     make_icon_pixels ICON.png OUTPUT.h

#include <QImage>
#include <QString>

#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_icon_pixels ICON.png OUTPUT.h\n");
        return 2;
    }
    const QImage read(QString::fromLocal8Bit(argv[1]));
    if (read.isNull() || read.width() != read.height()) {
        std::fprintf(stderr, "make_icon_pixels: %s is no readable square image\n", argv[1]);
        return 1;
    }
    // The format applicationIcon() hands the pixels to QImage in.
    const QImage image = read.convertToFormat(QImage::Format_ARGB32);
    const int size = image.width();

    std::ofstream out(argv[2], std::ios::binary);
    out << "// The " << size << " x " << size << " application icon as ARGB pixels, drawn from\n"
        << "// data/icons/hicolor/scalable/apps/tarvik.svg at build time (app/CMakeLists.txt):\n"
        << "// no image decoding at start-up.\n"
        << "#pragma once\n\n"
        << "#include <cstdint>\n\n"
        << "namespace tarvik {\n\n"
        << "inline constexpr int iconSize = " << size << ";\n"
        << "inline constexpr std::uint32_t iconPixels[iconSize * iconSize] = {\n";
    char word[16];
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            std::snprintf(word, sizeof word, "0x%08x", static_cast<unsigned>(image.pixel(x, y)));
            out << (x % 8 == 0 ? "    " : " ") << word << (x % 8 == 7 || x == size - 1 ? ",\n" : ",");
        }
    }
    out << "};\n\n} // namespace tarvik\n";
    out.close();
    if (!out) {
        std::fprintf(stderr, "make_icon_pixels: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
