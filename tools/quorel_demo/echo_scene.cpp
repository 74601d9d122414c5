#include "tools/quorel_demo/echo_scene.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace {

struct Echo {
    double position;  // sample index
    double height;    // sample value at its top
    double width;     // samples
};

// The transmit burst at the start, then echoes as Gaussian bumps on a decaying noise floor,
// filtered the way the live view filters received frames.
EchoScene::Curve synthetic_curve(std::initializer_list<Echo> echoes, unsigned seed) {
    std::mt19937 random(seed);
    std::normal_distribution<double> noise(0.0, 4.0);
    EchoScene::Curve raw{};
    for (int i = 0; i < 400; ++i) {
        double v = 12.0 + 240.0 * std::exp(-i / 6.0) + noise(random);
        for (const Echo& echo : echoes) {
            const double d = (i - echo.position) / echo.width;
            v += echo.height * std::exp(-d * d);
        }
        raw[i] = static_cast<uint8_t>(std::clamp(v, 0.0, 255.0));
    }
    EchoScene::Curve smooth{};
    SmoothFilter(raw.data(), smooth.data(), 2, 3, 400);
    return smooth;
}

}  // namespace

EchoScene make_echo_scene() {
    EchoScene scene;
    scene.live = synthetic_curve({{62, 190, 5}, {158, 120, 7}, {262, 150, 6}}, 1);
    scene.memories[0] = synthetic_curve({{70, 150, 6}, {150, 90, 8}}, 2);
    scene.memories[1] = synthetic_curve({{95, 110, 9}, {240, 70, 10}}, 3);
    scene.memories[2] = synthetic_curve({{120, 60, 6}, {300, 100, 8}}, 4);
    scene.memories[3] = synthetic_curve({{180, 80, 12}}, 5);
    scene.memories[4] = synthetic_curve({{40, 70, 4}, {330, 60, 9}}, 6);
    scene.shown = {255, 255, 255, 255, 255};
    scene.zones[0] = Zone_Sensible{10, 18, 60, 0, 0, 0, 1};
    scene.zones[1] = Zone_Sensible{28, 36, 70, 0, 0, 0, 1};
    scene.zones[2] = Zone_Sensible{48, 58, 50, 0, 0, 1, 1};
    scene.zones[3] = Zone_Sensible{66, 74, 40, 0, 0, 0, 1};
    return scene;
}
