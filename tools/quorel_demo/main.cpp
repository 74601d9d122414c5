// quorel_demo OUT.png: draws the live view of a synthetic exam, 697 x 337 pixels as in the
// main window, and writes it as a PNG picture.
#include <QImage>
#include <cstdio>

#include "tools/quorel_demo/echo_scene.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: quorel_demo OUT.png\n");
        return 2;
    }
    QImage image(697, 337, QImage::Format_RGB32);
    QuorelWindow window{image.width(), image.height(),
                        static_cast<int32_t>(image.bytesPerLine() / sizeof(uint32_t)),
                        reinterpret_cast<uint32_t*>(image.bits())};
    EchoScene scene = make_echo_scene();
    const int32_t freeze =
        ViewSamples(&window, scene.live.data(), 400, scene.memories[0].data(),
                    scene.memories[1].data(), scene.memories[2].data(), scene.memories[3].data(),
                    scene.memories[4].data(), scene.shown.data(), scene.zones.data());
    for (int z = 0; z < 4; ++z) {
        std::printf("zone %d: xpic %d ypic %d\n", z, scene.zones[z].xpic, scene.zones[z].ypic);
    }
    std::printf("freeze %d\n", freeze);
    if (!image.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "quorel_demo: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
