#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include "app/quorel_binding.h"

namespace {

using Curve = std::vector<uint8_t>;

const std::array<std::array<int, 15>, 6> kTables = {{
    {},
    {32, 0, -48, 48, 8, -144, 264, 688, 264, -144, 8, 48, -48, 0, 32},
    {-24, -48, 16, 56, -72, -72, 312, 592, 312, -72, -72, 56, 16, -48, -24},
    {4, 40, 52, -20, -96, 24, 320, 488, 320, 24, -96, -20, 52, 40, 4},
    {12, 4, -36, -76, -44, 104, 296, 384, 296, 104, -44, -76, -36, 4, 12},
    {-16, -36, -44, -24, 48, 152, 248, 284, 248, 152, 48, -24, -44, -36, -16},
}};

// The filter written out the plain way, into fresh arrays, to check the library against.
Curve reference_filter(const Curve& source, int w, int kind, int n) {
    std::vector<double> x(source.begin(), source.begin() + n);
    std::vector<double> y = x;
    if (w >= 1 && w <= 5 && n - w > w) {
        for (int k = w; k <= n - w - 1; ++k) {
            double sum = 0.0;
            for (int j = k - w; j <= k + w - 1; ++j) {
                sum = sum + x[j] / (2.0 * w);
            }
            y[k] = sum;
        }
    }
    std::vector<double> z = y;
    if (kind != 0 && n >= 16) {
        const auto& table = kTables[(kind >= 1 && kind <= 4) ? kind : 5];
        for (int i = 15; i < n; ++i) {
            double sum = 0.0;
            for (int j = 0; j < 15; ++j) {
                const double product = (table[j] / 1024.0) * y[i - j];
                sum = sum + product;
            }
            z[i] = sum;
        }
    }
    Curve out(n);
    for (int k = 0; k < n; ++k) {
        out[k] = z[k] < 0 ? 0 : (z[k] > 255 ? 255 : static_cast<uint8_t>(static_cast<int>(z[k])));
    }
    return out;
}

// Filters into a 400-byte buffer prefilled with 0xAB and returns the whole buffer.
Curve filter(const Curve& source, int w, int kind, int count) {
    Curve out(400, 0xAB);
    EXPECT_EQ(corvanta::quorel::SmoothFilter(source.data(), out.data(), w, kind, count), 0);
    return out;
}

Curve head(const Curve& curve, int n) {
    return Curve(curve.begin(), curve.begin() + n);
}

Curve random_curve(unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> sample(0, 255);
    Curve curve(400);
    for (auto& v : curve) {
        v = static_cast<uint8_t>(sample(random));
    }
    return curve;
}

TEST(SmoothFilter, MovingAverageWindowIsNotCentred) {
    Curve source = {10, 20, 30, 40};
    EXPECT_EQ(head(filter(source, 1, 0, 4), 4), (Curve{10, 15, 25, 40}));

    source = {0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100};
    EXPECT_EQ(head(filter(source, 5, 0, 10), 10), head(source, 10));
    Curve expected = source;
    expected[5] = 45;  // (0 + 10 + ... + 90) / 10, the only sample averaged
    EXPECT_EQ(head(filter(source, 5, 0, 11), 11), expected);
}

TEST(SmoothFilter, EachTermIsDividedSeparately) {
    const Curve ones(400, 1);
    const Curve out = filter(ones, 3, 0, 400);
    // Six terms of 1/6 add up to just under 1: the truncation gives 0 inside.
    EXPECT_EQ(out[0], 1);
    EXPECT_EQ(out[2], 1);
    EXPECT_EQ(out[3], 0);
    EXPECT_EQ(out[396], 0);
    EXPECT_EQ(out[397], 1);
    EXPECT_EQ(head(filter(ones, 1, 0, 400), 400), ones);
}

TEST(SmoothFilter, LowPassNeedsSixteenSamplesAndFiltersFromIndexFifteen) {
    const Curve source = random_curve(7);
    EXPECT_EQ(head(filter(source, 0, 1, 15), 15), head(source, 15));
    const Curve out = filter(source, 0, 1, 16);
    EXPECT_EQ(head(out, 15), head(source, 15));
    EXPECT_EQ(out[15], reference_filter(source, 0, 1, 16)[15]);
}

TEST(SmoothFilter, KindsOutsideOneToFourUseTheLastTable) {
    const Curve source = random_curve(11);
    const Curve table5 = filter(source, 2, 5, 400);
    EXPECT_EQ(filter(source, 2, 6, 400), table5);
    EXPECT_EQ(filter(source, 2, -1, 400), table5);
    EXPECT_EQ(filter(source, 2, 1000, 400), table5);
    EXPECT_EQ(filter(source, 0, 0, 400), source);
}

TEST(SmoothFilter, SpikeComesOutAsTheScaledTableSevenSamplesLater) {
    Curve source(400, 0);
    source[100] = 255;
    const Curve out = filter(source, 0, 1, 400);
    const Curve expected = {7, 0, 0, 11, 1, 0, 65, 171, 65, 0, 1, 11, 0, 0, 7};
    EXPECT_EQ(Curve(out.begin() + 100, out.begin() + 115), expected);
    EXPECT_EQ(out[99], 0);
    EXPECT_EQ(out[115], 0);
}

TEST(SmoothFilter, FlatCurveIsScaledByEachTableSum) {
    // The tables are not normalised: 200 x sum / 1024, truncated, and clamped at 255.
    const std::array<int, 6> expected200 = {200, 196, 181, 221, 176, 183};
    const std::array<int, 6> expected255 = {255, 251, 231, 255, 225, 234};
    for (int kind = 0; kind <= 5; ++kind) {
        const Curve out200 = filter(Curve(400, 200), 0, kind, 400);
        const Curve out255 = filter(Curve(400, 255), 0, kind, 400);
        EXPECT_EQ(out200[14], 200) << "kind " << kind;
        EXPECT_EQ(out200[15], expected200[kind]) << "kind " << kind;
        EXPECT_EQ(out200[399], expected200[kind]) << "kind " << kind;
        EXPECT_EQ(out255[200], expected255[kind]) << "kind " << kind;
    }
}

TEST(SmoothFilter, MatchesThePlainComputationForEverySetting) {
    for (unsigned seed = 1; seed <= 3; ++seed) {
        Curve source = random_curve(seed);
        if (seed == 3) {
            for (int i = 0; i < 400; i += 37) {
                source[i] = 255;  // isolated spikes drive the negative taps below 0
            }
        }
        for (int count : {400, 200, 100, 50, 16, 11, 3, 1}) {
            for (int w = 0; w <= 6; ++w) {
                for (int kind = 0; kind <= 5; ++kind) {
                    EXPECT_EQ(head(filter(source, w, kind, count), count),
                              reference_filter(source, w, kind, count))
                        << "seed " << seed << " count " << count << " w " << w << " kind " << kind;
                }
            }
        }
    }
}

// Outputs are computed several at a time: every count, setting and curve must still give
// each output exactly as computed alone, up to the last one.
TEST(SmoothFilter, MatchesThePlainComputationOnRandomCalls) {
    std::mt19937 random(26);
    std::uniform_int_distribution<int> count(0, 400);
    std::uniform_int_distribution<int> half_width(-1, 6);
    std::uniform_int_distribution<int> kind(-1, 6);
    std::uniform_int_distribution<int> sample(0, 255);
    std::bernoulli_distribution extreme(0.1);
    for (int call = 0; call < 20000; ++call) {
        Curve source(400);
        for (auto& v : source) {
            v = static_cast<uint8_t>(extreme(random) ? 255 * (sample(random) & 1) : sample(random));
        }
        const int n = count(random);
        const int w = half_width(random);
        const int k = kind(random);
        const Curve out = filter(source, w, k, n);
        ASSERT_EQ(head(out, n), reference_filter(source, w, k, n))
            << "call " << call << " count " << n << " w " << w << " kind " << k;
        ASSERT_EQ(Curve(out.begin() + n, out.end()), Curve(400 - n, 0xAB));
    }
}

TEST(SmoothFilter, WritesNothingFromCountOn) {
    const Curve source = random_curve(5);
    for (int count : {100, 50, 1}) {
        const Curve out = filter(source, 3, 2, count);
        EXPECT_EQ(Curve(out.begin() + count, out.end()), Curve(400 - count, 0xAB));
    }
    for (int count : {0, -1, -400, INT32_MIN}) {
        EXPECT_EQ(filter(source, 3, 2, count), Curve(400, 0xAB)) << count;
    }
    // Counts above 400 are taken as 400: the buffer's bytes beyond stay as they were.
    Curve big_source(1000, 90);
    Curve out(1000, 0xAB);
    for (int count : {401, 1000, INT32_MAX}) {
        corvanta::quorel::SmoothFilter(big_source.data(), out.data(), 2, 3, count);
        EXPECT_EQ(Curve(out.begin() + 400, out.end()), Curve(600, 0xAB));
        EXPECT_EQ(head(out, 400), reference_filter(big_source, 2, 3, 400));
    }
}

TEST(SmoothFilter, NegativeHalfWidthAndNullBuffersAreHarmless) {
    const Curve source = random_curve(9);
    EXPECT_EQ(filter(source, -3, 0, 400), source);
    Curve out(400, 0xAB);
    EXPECT_EQ(corvanta::quorel::SmoothFilter(nullptr, out.data(), 1, 1, 400), 0);
    EXPECT_EQ(out, Curve(400, 0xAB));
    EXPECT_EQ(corvanta::quorel::SmoothFilter(source.data(), nullptr, 1, 1, 400), 0);
}

}  // namespace
