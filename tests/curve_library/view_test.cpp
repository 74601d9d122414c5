#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "app/quorel_binding.h"
#include "tests/curve_library/test_window.h"

namespace {

using namespace colours;
using Curve = std::vector<uint8_t>;

struct Scene {
    Curve live = Curve(400, 0);
    std::array<Curve, 5> memories = {Curve(400, 0), Curve(400, 0), Curve(400, 0), Curve(400, 0),
                                     Curve(400, 0)};
    std::array<uint8_t, 5> shown{};
    std::array<Zone_Sensible, 4> zones{};
    int32_t count = 400;

    int32_t view(TestWindow& target) {
        return corvanta::quorel::ViewSamples(
            &target.window, live.data(), count, memories[0].data(), memories[1].data(),
            memories[2].data(), memories[3].data(), memories[4].data(), shown.data(), zones.data());
    }
};

Zone_Sensible zone(int32_t xmin, int32_t xmax, int32_t seuil, int32_t gel = 0) {
    return Zone_Sensible{xmin, xmax, seuil, -7, -7, gel, 1};
}

// The grid-coloured pixels along one row (the columns of the grid) or one column (its rows).
std::vector<int32_t> grid_positions(const TestWindow& target, bool along_row, int32_t at) {
    std::vector<int32_t> positions;
    const int32_t length = along_row ? target.window.width : target.window.height;
    for (int32_t i = 0; i < length; ++i) {
        if ((along_row ? target.at(i, at) : target.at(at, i)) == kGrid) {
            positions.push_back(i);
        }
    }
    return positions;
}

std::vector<int32_t> green_columns(const TestWindow& target, int32_t y) {
    return grid_positions(target, true, y);
}

std::vector<int32_t> green_rows(const TestWindow& target, int32_t x) {
    return grid_positions(target, false, x);
}

TEST(ViewSamples, GridZoneAndPeakOnA640By256Window) {
    TestWindow target(640, 256);
    Scene scene;
    scene.live[40] = 200;
    scene.zones[0] = zone(7, 15, 68);
    EXPECT_EQ(scene.view(target), 0);

    EXPECT_EQ(green_columns(target, 30),
              (std::vector<int32_t>{0, 80, 160, 240, 320, 400, 480, 560}));
    EXPECT_EQ(green_rows(target, 300), (std::vector<int32_t>{0, 42, 84, 126, 168, 210, 252}));
    // The band covers 56 to 119; its limit lines stand at 56 and 120 below the top grid row.
    EXPECT_EQ(target.at(55, 100), kBlack);
    EXPECT_EQ(target.at(57, 100), kBand);
    EXPECT_EQ(target.at(119, 100), kBand);
    EXPECT_EQ(target.at(121, 100), kBlack);
    EXPECT_EQ(target.at(56, 1), kZoneLine);
    EXPECT_EQ(target.at(56, 200), kZoneLine);
    EXPECT_EQ(target.at(56, 0), kGrid);
    EXPECT_EQ(target.at(120, 100), kZoneLine);
    // Threshold 68 %: a line at 32 x 256 / 100 = 81 from 56 up to the right limit.
    EXPECT_EQ(target.at(100, 81), kZoneLine);
    EXPECT_EQ(target.at(100, 80), kBand);
    EXPECT_EQ(target.at(55, 81), kBlack);

    EXPECT_EQ(scene.zones[0].xpic, 40);
    EXPECT_EQ(scene.zones[0].ypic, 55);
    // The live curve peaks at (64, 55); the marker's top-left is (64, 30), its needle tip
    // on (64, 54), combined by OR with the band.
    EXPECT_EQ(target.at(64, 55), kLive);
    EXPECT_EQ(target.at(64, 54), kNeedle | kBand);
    EXPECT_EQ(target.at(64 + 8, 30), kRim | kBand);
    EXPECT_EQ(target.at(64 + 3, 30 + 8), kRed | kBand);
    EXPECT_EQ(target.at(64 + 11, 30 + 10), kWhite);  // the stroke of the digit 1
    EXPECT_EQ(target.at(64 + 1, 30 + 24), kBand);    // black marker pixels are transparent
}

TEST(ViewSamples, RealSizeWindowCurvesStopShortOfTheRightEdge) {
    TestWindow target(697, 337);
    Scene scene;
    scene.live = Curve(400, 128);        // (255 - 128) x 337 / 256 = 167
    scene.memories[1] = Curve(400, 64);  // 191 x 337 / 256 = 251
    scene.memories[0] = Curve(400, 32);
    scene.shown = {0, 255, 0, 0, 0};
    EXPECT_EQ(scene.view(target), 0);

    EXPECT_EQ(green_columns(target, 30),
              (std::vector<int32_t>{0, 87, 174, 261, 348, 435, 522, 609, 696}));
    EXPECT_EQ(green_rows(target, 30), (std::vector<int32_t>{0, 56, 112, 168, 224, 280, 336}));
    // Sample 398, the last one drawn to, lies at 398 x 697 / 400 = 693, excluded.
    EXPECT_EQ(target.at(0, 167), kLive);
    EXPECT_EQ(target.at(692, 167), kLive);
    EXPECT_EQ(target.at(693, 167), kBlack);
    EXPECT_EQ(target.at(0, 251), 0xFFFFC080u);
    EXPECT_EQ(target.at(692, 251), 0xFFFFC080u);
    EXPECT_EQ(target.at(693, 251), kBlack);
    // Curve 0 is hidden: nothing on its row.
    const int32_t hidden_row = (255 - 32) * 337 / 256;
    EXPECT_EQ(target.at(300, hidden_row), kBlack);
}

TEST(ViewSamples, ComparisonCurvesInTheirColoursUnderTheLiveCurve) {
    TestWindow target(697, 337);
    Scene scene;
    const std::array<uint8_t, 5> levels = {250, 200, 150, 100, 50};
    for (int i = 0; i < 5; ++i) {
        scene.memories[i] = Curve(400, levels[i]);
    }
    scene.shown = {255, 1, 255, 255, 255};
    scene.live = Curve(400, 100);
    scene.view(target);
    const std::array<uint32_t, 5> expected = {0xFFFF0000u, 0xFFFFC080u, 0xFFFFFF00u, kLive,
                                              0xFFFF00FFu};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(target.at(300, (255 - levels[i]) * 337 / 256), expected[i]) << i;
    }
}

TEST(ViewSamples, PeakSearchRules) {
    TestWindow target(400, 200);
    Scene scene;
    scene.live[50] = 200;
    scene.live[60] = 200;   // equal height later in the zone: the first one wins
    scene.live[120] = 173;  // not above 68 % = 173.4
    scene.live[160] = 255;
    scene.zones[0] = zone(7, 15, 68);
    scene.zones[1] = zone(20, 30, 68, 1);
    scene.zones[2] = zone(30, 35, 100);
    scene.zones[3] = zone(40, 50, 0);  // all samples 0 there: no peak even at 0 %
    scene.zones[3].xpic = 99;
    EXPECT_EQ(scene.view(target), 0);
    EXPECT_EQ(scene.zones[0].xpic, 50);
    EXPECT_EQ(scene.zones[0].ypic, 55);
    EXPECT_EQ(scene.zones[1].xpic, 0);
    EXPECT_EQ(scene.zones[1].ypic, 0);
    EXPECT_EQ(scene.zones[2].xpic, 160);
    EXPECT_EQ(scene.zones[2].ypic, 0);
    EXPECT_EQ(scene.zones[3].xpic, 0);

    scene.live[120] = 174;
    scene.live[210] = 1;
    EXPECT_EQ(scene.view(target), 1);  // zone 1 freezes
    EXPECT_EQ(scene.zones[1].xpic, 120);
    EXPECT_EQ(scene.zones[3].xpic, 210);
    EXPECT_EQ(scene.zones[3].ypic, 254);

    scene.live[160] = 254;  // 100 % asks for 255
    scene.view(target);
    EXPECT_EQ(scene.zones[2].xpic, 0);
}

TEST(ViewSamples, InactiveZonesAreNeitherDrawnNorSearchedNorWritten) {
    TestWindow target(640, 256);
    Scene scene;
    scene.live[40] = 200;
    scene.zones[0] = zone(7, 15, 68, 1);
    scene.zones[0].actif = 0;
    scene.zones[0].xpic = 123;
    scene.zones[0].ypic = 45;
    EXPECT_EQ(scene.view(target), 0);
    EXPECT_EQ(scene.zones[0].xpic, 123);
    EXPECT_EQ(scene.zones[0].ypic, 45);
    EXPECT_EQ(target.at(57, 100), kBlack);
    EXPECT_EQ(target.at(56, 100), kBlack);
    EXPECT_EQ(target.at(64, 54), kBlack);
}

TEST(ViewSamples, OverlappingMarkersCombineByOr) {
    TestWindow target(400, 200);
    Scene scene;
    scene.live[100] = 200;  // zone 0's peak, marker at (100, 17)
    scene.live[105] = 200;  // zone 1's peak, marker at (105, 17)
    scene.zones[0] = zone(20, 21, 50);
    scene.zones[1] = zone(21, 22, 50);
    scene.view(target);
    EXPECT_EQ(target.at(100 + 3, 17 + 8), kRed | kBand);  // zone 0's head over its band
    // The first marker's rim (its column 20) under the second marker's head (column 15).
    EXPECT_EQ(target.at(120, 17 + 6), kRim | kRed);
}

TEST(ViewSamples, ShortCountsSpanTheWidthButSearchAtFiveSamplesPerMillimetre) {
    TestWindow target(400, 256);
    Scene scene;
    scene.count = 100;
    scene.live = Curve(400, 0);
    scene.live[40] = 255;
    scene.live[80] = 255;  // beyond the zone's 35..74, though drawn inside its band
    scene.zones[0] = zone(7, 15, 50);
    scene.view(target);
    EXPECT_EQ(scene.zones[0].xpic, 40);
    EXPECT_EQ(target.at(40 * 400 / 100, 0), kLive);
    EXPECT_EQ(target.at(98 * 400 / 100 - 1, 255), kLive);
    EXPECT_EQ(target.at(98 * 400 / 100, 255), kBlack);

    // A zone beyond the curve's count searches nothing past it.
    scene.live[120] = 255;
    scene.zones[1] = zone(20, 30, 50);
    scene.view(target);
    EXPECT_EQ(scene.zones[1].xpic, 0);
}

TEST(ViewSamples, TwoSamplesOrFewerDrawNoSegment) {
    TestWindow reference(200, 120);
    Scene scene;
    scene.count = 0;
    scene.view(reference);
    for (int32_t count : {1, 2}) {
        TestWindow target(200, 120);
        scene.count = count;
        scene.live = Curve(400, 128);
        scene.view(target);
        EXPECT_EQ(target.pixels, reference.pixels) << count;
    }
}

// A caller may hand samples that lie in the window's own pixels: they are drawn as they
// were when the call began, not as the drawing leaves those pixels.
TEST(ViewSamples, SamplesLyingInTheWindowPixelsAreDrawnAsTheyWereAtTheCall) {
    Curve samples(800);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<uint8_t>(i * 37 % 256);
    }
    const std::array<uint8_t, 5> shown = {255, 0, 0, 0, 0};
    std::array<Zone_Sensible, 4> zones = {zone(2, 70, 10, 1)};
    for (const bool preview : {false, true}) {
        TestWindow expected(200, 100);
        TestWindow target(200, 100);
        auto* bytes = reinterpret_cast<uint8_t*>(target.pixels.data() + 50 * 200);
        std::copy(samples.begin(), samples.end(), bytes);
        if (preview) {
            corvanta::quorel::PreviewSamples(&expected.window, samples.data(), 400);
            corvanta::quorel::PreviewSamples(&target.window, bytes, 400);
        } else {
            EXPECT_EQ(corvanta::quorel::ViewSamples(&expected.window, samples.data(), 400,
                                                    samples.data() + 400, nullptr, nullptr, nullptr,
                                                    nullptr, shown.data(), zones.data()),
                      1);
            EXPECT_EQ(corvanta::quorel::ViewSamples(&target.window, bytes, 400, bytes + 400,
                                                    nullptr, nullptr, nullptr, nullptr,
                                                    shown.data(), zones.data()),
                      1);
        }
        EXPECT_EQ(target.pixels, expected.pixels) << preview;
    }
}

TEST(PreviewSamples, GridAndOneCurveOnly) {
    TestWindow target(640, 256);
    Curve samples(400, 128);
    EXPECT_EQ(corvanta::quorel::PreviewSamples(&target.window, samples.data(), 400), 0);
    EXPECT_EQ(green_columns(target, 30),
              (std::vector<int32_t>{0, 80, 160, 240, 320, 400, 480, 560}));
    const int32_t row = 127 * 256 / 256;
    EXPECT_EQ(target.at(0, row), kLive);
    EXPECT_EQ(target.at(635, row), kLive);  // sample 398 at 398 x 640 / 400 = 636, excluded
    EXPECT_EQ(target.at(636, row), kBlack);
    EXPECT_EQ(samples, Curve(400, 128));
}

}  // namespace
