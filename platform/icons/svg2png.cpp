// SPDX-License-Identifier: MIT
// kestrin-svg2png [--sharp] IN.svg SIZE|WxH OUT.png
//
// Draws an SVG picture into a SIZE x SIZE (or W x H) picture with a clear
// background and writes it as PNG; --sharp draws without smoothing, as the
// toolbar's pixel cells are. The build uses it to make the installed program
// icons from res/icons/kestrin.svg; it is not installed itself.

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// "48" or "16x15": false unless both sides are whole numbers of 1 to 4096.
bool ParseSize(const char* text, int& w, int& h)
{
    char* end = nullptr;
    long a = std::strtol(text, &end, 10);
    long b = a;
    if (end != text && *end == 'x') {
        const char* rest = end + 1;
        b = std::strtol(rest, &end, 10);
        if (end == rest)
            return false;
    }
    if (end == text || *end != '\0' || a < 1 || a > 4096 || b < 1 || b > 4096)
        return false;
    w = static_cast<int>(a);
    h = static_cast<int>(b);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    bool sharp = argc > 1 && std::strcmp(argv[1], "--sharp") == 0;
    if (sharp) {
        --argc;
        ++argv;
    }
    if (argc != 4) {
        std::fprintf(stderr, "Usage: kestrin-svg2png [--sharp] IN.svg SIZE|WxH OUT.png\n");
        return 2;
    }
    int w = 0, h = 0;
    if (!ParseSize(argv[2], w, h)) {
        std::fprintf(stderr, "kestrin-svg2png: a size is 1 to 4096 or WxH, not '%s'\n", argv[2]);
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "kestrin-svg2png: %s: not a readable SVG picture\n", argv[1]);
        return 1;
    }
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, !sharp);
    renderer.render(&painter);
    painter.end();
    if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "kestrin-svg2png: %s: cannot write the picture\n", argv[3]);
        return 1;
    }
    return 0;
}
