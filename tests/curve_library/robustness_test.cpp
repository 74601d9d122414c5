#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <array>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/quorel_binding.h"
#include "tests/curve_library/test_window.h"

namespace {

using namespace colours;
using Curve = std::vector<uint8_t>;

int32_t view(QuorelWindow* window, const Curve& live, int32_t count, Zone_Sensible* zones,
             const uint8_t* shown = nullptr) {
    return corvanta::quorel::ViewSamples(window, live.data(), count, live.data(), live.data(),
                                         live.data(), live.data(), live.data(), shown, zones);
}

TEST(CurveLibraryLimits, CountsBeyondTheWorkingArraysAreTakenWithinThem) {
    Curve live(400, 200);
    std::array<uint8_t, 5> shown = {1, 1, 1, 1, 1};
    std::array<Zone_Sensible, 4> zones{};
    zones[0] = Zone_Sensible{0, 1000, 10, 0, 0, 1, 1};
    TestWindow reference(200, 100);
    EXPECT_EQ(view(&reference.window, live, 400, zones.data(), shown.data()), 1);
    for (int32_t count : {401, 100000, INT32_MAX}) {
        TestWindow target(200, 100);
        EXPECT_EQ(view(&target.window, live, count, zones.data(), shown.data()), 1);
        EXPECT_EQ(target.pixels, reference.pixels) << count;
        EXPECT_EQ(corvanta::quorel::PreviewSamples(&target.window, live.data(), count), 0);
    }
    for (int32_t count : {-1, INT32_MIN}) {
        TestWindow target(200, 100);
        EXPECT_EQ(view(&target.window, live, count, zones.data(), shown.data()), 0);
        EXPECT_EQ(zones[0].xpic, 0);
        EXPECT_EQ(corvanta::quorel::PreviewSamples(&target.window, live.data(), count), 0);
        EXPECT_EQ(target.at(0, 0), kGrid);
    }
}

TEST(CurveLibraryLimits, AbsurdZonesStayInsideTheWindowAndTheCurve) {
    const Curve live(400, 180);
    const std::vector<std::array<int32_t, 3>> cases = {
        {-1000000, 1000000, 50},
        {INT32_MIN, INT32_MAX, INT32_MIN},
        {INT32_MAX, INT32_MIN, INT32_MAX},
        {INT32_MIN, INT32_MAX, 50},
        {-10, 90, 101},
        {INT32_MAX / 5, INT32_MAX, 0},
        {79, 81, -50},
    };
    for (const auto& [xmin, xmax, seuil] : cases) {
        std::array<Zone_Sensible, 4> zones{};
        for (auto& zone : zones) {
            zone = Zone_Sensible{xmin, xmax, seuil, 0, 0, 1, 1};
        }
        TestWindow target(697, 337);
        view(&target.window, live, 400, zones.data());
        for (const auto& zone : zones) {
            EXPECT_GE(zone.xpic, 0);
            EXPECT_LT(zone.xpic, 400);
        }
    }
    // A band from -10 to 90 mm covers the whole width and a threshold of 101 % never detects.
    std::array<Zone_Sensible, 4> zones{};
    zones[0] = Zone_Sensible{-10, 90, 101, 5, 5, 1, 1};
    TestWindow target(640, 256);
    EXPECT_EQ(view(&target.window, Curve(400, 255), 400, zones.data()), 0);
    EXPECT_EQ(zones[0].xpic, 0);
    EXPECT_EQ(target.at(1, 100), kBand);
    EXPECT_EQ(target.at(639, 100), kBand);
}

TEST(CurveLibraryLimits, TinyAndEmptyWindows) {
    Curve live(400, 0);
    live[10] = 255;
    std::array<Zone_Sensible, 4> zones{};
    zones[0] = Zone_Sensible{0, 80, 50, 0, 0, 1, 1};

    // Narrower than 8 and lower than 6: the grid steps are 0, only the lines at 0 remain.
    TestWindow small(7, 5);
    view(&small.window, Curve(400, 0), 400, nullptr);
    for (int32_t y = 0; y < 5; ++y) {
        for (int32_t x = 0; x < 7; ++x) {
            const bool on_grid = x == 0 || y == 0;
            const bool on_curve = y == (255 * 5) / 256 && x < 6;
            EXPECT_EQ(small.at(x, y), on_curve ? kLive : (on_grid ? kGrid : kBlack))
                << x << "," << y;
        }
    }

    TestWindow one(1, 1);
    EXPECT_EQ(view(&one.window, live, 400, zones.data()), 1);
    EXPECT_EQ(zones[0].xpic, 10);
    EXPECT_NE(one.at(0, 0), TestWindow::kUntouched);

    // An empty window draws nothing, yet the zones are still searched.
    for (QuorelWindow empty : {QuorelWindow{0, 0, 0, nullptr}, QuorelWindow{-5, 3, 0, nullptr}}) {
        zones[0].xpic = 0;
        EXPECT_EQ(view(&empty, live, 400, zones.data()), 1);
        EXPECT_EQ(zones[0].xpic, 10);
        EXPECT_EQ(corvanta::quorel::PreviewSamples(&empty, live.data(), 400), 0);
    }
}

TEST(CurveLibraryLimits, StrideWiderThanTheWindowKeepsTheRowEnds) {
    TestWindow target(50, 30, 64);
    const Curve live(400, 128);
    view(&target.window, live, 400, nullptr);
    for (int32_t y = 0; y < 30; ++y) {
        EXPECT_EQ(target.at(0, y), y == (127 * 30) / 256 ? kLive : kGrid);
        for (int32_t x = 50; x < 64; ++x) {
            ASSERT_EQ(target.at(x, y), TestWindow::kUntouched) << x << "," << y;
        }
    }
}

TEST(CurveLibraryLimits, MissingBuffersDrawAndWriteNothing) {
    const Curve live(400, 200);
    std::array<Zone_Sensible, 4> zones{};
    zones[0] = Zone_Sensible{0, 80, 10, 7, 7, 1, 1};
    EXPECT_EQ(view(nullptr, live, 400, zones.data()), 0);
    EXPECT_EQ(corvanta::quorel::PreviewSamples(nullptr, live.data(), 400), 0);
    TestWindow target(40, 20);
    EXPECT_EQ(corvanta::quorel::ViewSamples(&target.window, nullptr, 400, nullptr, nullptr, nullptr,
                                            nullptr, nullptr, nullptr, zones.data()),
              0);
    EXPECT_EQ(zones[0].xpic, 7);
    EXPECT_EQ(target.at(5, 5), TestWindow::kUntouched);

    // Pixels missing or rows shorter than the width: the window is not drawn into.
    QuorelWindow no_pixels{40, 20, 40, nullptr};
    EXPECT_EQ(view(&no_pixels, live, 400, zones.data()), 0);
    TestWindow narrow(40, 20);
    narrow.window.stride = 10;
    EXPECT_EQ(view(&narrow.window, live, 400, zones.data()), 0);
    EXPECT_EQ(narrow.at(5, 5), TestWindow::kUntouched);

    // Shown curves without a buffer are skipped; the live curve is still drawn.
    const std::array<uint8_t, 5> shown = {255, 255, 255, 255, 255};
    TestWindow with_nulls(40, 20);
    EXPECT_EQ(corvanta::quorel::ViewSamples(&with_nulls.window, live.data(), 400, nullptr, nullptr,
                                            nullptr, nullptr, nullptr, shown.data(), nullptr),
              0);
    EXPECT_EQ(with_nulls.at(1, (55 * 20) / 256), kLive);
    EXPECT_EQ(corvanta::quorel::PreviewSamples(&with_nulls.window, nullptr, 400), 0);
    EXPECT_EQ(with_nulls.at(1, (55 * 20) / 256), kBlack);
}

// Run in a child process whose address space is then limited to what it already holds: the
// library's off-screen picture cannot be had, and the window must keep the picture it holds.
// The sanitizers reserve address space of their own, so the limit means nothing there.
TEST(CurveLibraryLimits, WithoutMemoryForThePictureTheWindowKeepsItsPicture) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "address space limits do not apply under the sanitizers";
#else
    const auto draw_without_memory = [] {
        TestWindow target(2000, 1500);
        const std::vector<uint32_t> before = target.pixels;
        const Curve live(400, 200);
        std::array<Zone_Sensible, 4> zones{};
        zones[0] = Zone_Sensible{0, 80, 10, 7, 7, 1, 1};
        // Bind both functions before the limit: binding loads the library.
        QuorelWindow empty{0, 0, 0, nullptr};
        view(&empty, live, 400, nullptr);
        corvanta::quorel::PreviewSamples(&empty, live.data(), 400);

        long pages = 0;
        std::FILE* statm = std::fopen("/proc/self/statm", "r");
        if (statm == nullptr || std::fscanf(statm, "%ld", &pages) != 1) {
            std::_Exit(2);
        }
        std::fclose(statm);
        const auto held = static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE));
        const rlimit limit{held + (1u << 20), held + (1u << 20)};
        if (setrlimit(RLIMIT_AS, &limit) != 0) {
            std::_Exit(3);
        }
        const bool view_kept = view(&target.window, live, 400, zones.data()) == 0 &&
                               target.pixels == before && zones[0].xpic == 7;
        const bool preview_kept =
            corvanta::quorel::PreviewSamples(&target.window, live.data(), 400) == 0 &&
            target.pixels == before;
        std::_Exit(view_kept && preview_kept ? 0 : 1);
    };
    EXPECT_EXIT(draw_without_memory(), ::testing::ExitedWithCode(0), "");
#endif
}

}  // namespace
