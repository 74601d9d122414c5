#include "curve_library/canvas.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <random>
#include <vector>

#include "curve_library/view_layers.h"
#include "tests/curve_library/test_window.h"

namespace {

constexpr int32_t kWidth = 37;
constexpr int32_t kHeight = 23;
constexpr int32_t kStride = kWidth + 5;

// The picture a plain walk gives: every pixel visited, each one clipped on its own.
struct ReferencePicture {
    std::vector<uint32_t> pixels = std::vector<uint32_t>(kWidth * kHeight, colours::kBlack);

    void plot(int64_t x, int64_t y, uint32_t pen) {
        if (x >= 0 && y >= 0 && x < kWidth && y < kHeight) {
            pixels[y * kWidth + x] = pen;
        }
    }
    void line(int64_t x0, int64_t y0, int64_t x1, int64_t y1, uint32_t pen) {
        const int64_t dx = std::llabs(x1 - x0);
        const int64_t dy = -std::llabs(y1 - y0);
        int64_t err = dx + dy;
        while (x0 != x1 || y0 != y1) {
            plot(x0, y0, pen);
            const int64_t e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                x0 += x0 < x1 ? 1 : -1;
            }
            if (e2 <= dx) {
                err += dx;
                y0 += y0 < y1 ? 1 : -1;
            }
        }
    }
};

// A canvas drawn off-screen and copied into a window whose rows are longer than its width:
// the window must show the reference picture and keep its row ends.
struct Canvases {
    TestWindow copied{kWidth, kHeight, kStride};
    quorel::Canvas off_screen{kWidth, kHeight};
    ReferencePicture reference;

    template <typename Draw>
    void draw(Draw each) {
        each(off_screen);
    }
    ::testing::AssertionResult match() {
        off_screen.copy_to(copied.window);
        for (int32_t y = 0; y < kHeight; ++y) {
            for (int32_t x = 0; x < kStride; ++x) {
                const uint32_t expected =
                    x < kWidth ? reference.pixels[y * kWidth + x] : TestWindow::kUntouched;
                if (copied.at(x, y) != expected) {
                    return ::testing::AssertionFailure() << "pixel " << x << "," << y;
                }
            }
        }
        return ::testing::AssertionSuccess();
    }
};

TEST(Canvas, LinesMatchAPlainWalkAcrossEveryEdgeAndOutside) {
    Canvases canvases;
    // x0, y0, x1, y1: inside; leaving by each edge and corner; entering; crossing the whole
    // picture; passing outside a corner; wholly beside each edge; long and axis-aligned.
    std::vector<std::array<int64_t, 4>> lines = {
        {3, 4, 30, 9},        {30, 2, 5, 20},       {18, 11, -12, 14}, {18, 11, 60, 5},
        {18, 11, 21, -30},    {18, 11, 14, 50},     {18, 11, -9, -8},  {18, 11, 49, 40},
        {-15, 3, 50, 19},     {20, -17, 9, 41},     {-25, -5, 5, -25}, {40, 30, 60, 10},
        {-5, -3, -20, 40},    {45, -3, 80, 30},     {-10, -4, 70, -9}, {-10, 26, 70, 30},
        {-1000, 5, 1000, 17}, {7, -1000, 15, 1000}, {-1, -1, 37, 23},  {36, 0, 0, 22},
        {-40, 11, 80, 11},    {36, -5, 36, 40},     {0, 22, 1, -50},   {-3, 0, 40, 1},
    };
    std::mt19937 random(20);
    std::uniform_int_distribution<int64_t> x(-40, kWidth + 40);
    std::uniform_int_distribution<int64_t> y(-40, kHeight + 40);
    for (int i = 0; i < 3000; ++i) {
        lines.push_back({x(random), y(random), x(random), y(random)});
    }
    uint32_t pen = 0xFF000001u;
    for (const auto& [x0, y0, x1, y1] : lines) {
        ++pen;
        canvases.reference.line(x0, y0, x1, y1, pen);
        canvases.draw([&](quorel::Canvas& canvas) {
            canvas.set_pen(pen);
            canvas.move_to(x0, y0);
            canvas.line_to(x1, y1);
        });
        ASSERT_TRUE(canvases.match()) << x0 << "," << y0 << " to " << x1 << "," << y1;
    }
}

// Lines whose ends both lie in the picture take walks of their own, one per direction:
// each must give the plain walk's pixels, drawn one by one or as one polyline.
TEST(Canvas, LinesInsideThePictureMatchAPlainWalkInEveryDirection) {
    std::mt19937 random(26);
    std::uniform_int_distribution<int64_t> x(0, kWidth - 1);
    std::uniform_int_distribution<int64_t> y(0, kHeight - 1);
    std::uniform_int_distribution<int64_t> edge_y(-3, kHeight + 2);
    for (int polyline = 0; polyline < 400; ++polyline) {
        std::vector<int64_t> xs;
        std::vector<int64_t> ys;
        for (int i = 0; i < 12; ++i) {
            xs.push_back(x(random));
            // Now and then a point beyond the top or bottom edge, or the same column again.
            ys.push_back(i % 5 == 4 ? edge_y(random) : y(random));
            if (i % 7 == 6) {
                xs.back() = xs[xs.size() - 2];
            }
        }
        Canvases one_by_one;
        Canvases at_once;
        const uint32_t pen = 0xFF000100u + static_cast<uint32_t>(polyline);
        for (std::size_t i = 1; i < xs.size(); ++i) {
            one_by_one.reference.line(xs[i - 1], ys[i - 1], xs[i], ys[i], pen);
            at_once.reference.line(xs[i - 1], ys[i - 1], xs[i], ys[i], pen);
        }
        one_by_one.draw([&](quorel::Canvas& canvas) {
            canvas.set_pen(pen);
            canvas.move_to(xs[0], ys[0]);
            for (std::size_t i = 1; i < xs.size(); ++i) {
                canvas.line_to(xs[i], ys[i]);
            }
        });
        at_once.draw([&](quorel::Canvas& canvas) {
            canvas.set_pen(pen);
            canvas.polyline(xs.data(), ys.data(), xs.size());
        });
        ASSERT_TRUE(one_by_one.match()) << "polyline " << polyline << ", one line at a time";
        ASSERT_TRUE(at_once.match()) << "polyline " << polyline << ", at once";
    }
}

TEST(Canvas, RectanglesAndBlocksAreClippedAtEveryEdge) {
    Canvases canvases;
    std::array<uint32_t, 6 * 4> block{};
    for (std::size_t i = 0; i < block.size(); ++i) {
        block[i] = 0xFF000000u | (0x10101u * static_cast<uint32_t>(i));
    }
    // left, top: inside, across each edge and corner, wholly outside.
    const std::vector<std::array<int64_t, 2>> corners = {
        {10, 10}, {-3, 8}, {34, 8}, {12, -2}, {12, 21}, {-4, -3},
        {35, 21}, {-6, 5}, {37, 5}, {9, -4},  {9, 23},
    };
    for (const auto& [left, top] : corners) {
        const uint32_t colour = 0xFF102030u + static_cast<uint32_t>(left * 7 + top);
        for (int64_t y = 0; y < 4; ++y) {
            for (int64_t x = 0; x < 6; ++x) {
                canvases.reference.plot(left + x, top + y, colour | block[y * 6 + x]);
            }
        }
        canvases.draw([&](quorel::Canvas& canvas) {
            canvas.fill_rect(left, top, left + 6, top + 4, colour);
            canvas.or_block(block.data(), 6, 4, left, top);
        });
        ASSERT_TRUE(canvases.match()) << left << "," << top;
    }
}

// The layered curve drawing gives the picture of curves drawn one segment after another,
// where they cross, on narrow, wide and tiny pictures and for short curves.
TEST(CurveLayers, LayeredCurvesMatchCurvesDrawnSegmentBySegment) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> sample(0, 255);
    std::vector<std::vector<uint8_t>> samples(6, std::vector<uint8_t>(400));
    const std::array<uint32_t, 6> pens = {0xFFFF0000u, 0xFFFFC080u, 0xFFFFFF00u,
                                          0xFF0000FFu, 0xFFFF00FFu, 0xFF40FF40u};
    // width, height, count: the live view; narrow, wide and tiny pictures; short curves.
    const std::vector<std::array<int32_t, 3>> cases = {
        {697, 337, 400}, {697, 337, 3},  {640, 256, 400}, {50, 30, 400},
        {2000, 40, 400}, {2000, 40, 37}, {1, 1, 400},     {17, 300, 100},
    };
    for (const auto& [width, height, count] : cases) {
        for (auto& curve : samples) {
            for (auto& v : curve) {
                v = static_cast<uint8_t>(sample(random));
            }
        }
        samples[1].assign(400, 128);  // a flat curve under the others
        quorel::Canvas in_turn(width, height);
        quorel::Canvas layered(width, height);
        std::vector<quorel::CurveLayer> layers;
        for (std::size_t c = 0; c < samples.size(); ++c) {
            in_turn.set_pen(pens[c]);
            in_turn.move_to(0, quorel::sample_y(samples[c][0], height));
            for (int32_t i = 1; i <= count - 2; ++i) {
                in_turn.line_to(int64_t{i} * width / count,
                                quorel::sample_y(samples[c][i], height));
            }
            layers.push_back({samples[c].data(), pens[c]});
        }
        quorel::draw_curves(layered, layers.data(), layers.size(), count);
        TestWindow expected(width, height);
        TestWindow target(width, height);
        in_turn.copy_to(expected.window);
        layered.copy_to(target.window);
        EXPECT_EQ(target.pixels, expected.pixels) << width << " x " << height << ", " << count;
    }
}

}  // namespace
