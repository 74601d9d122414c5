#include "curve_library/column_copy.h"

#include <cstring>

namespace quorel {

namespace {

using Quad = uint32_t __attribute__((vector_size(4 * sizeof(uint32_t))));
using Octet = uint32_t __attribute__((vector_size(8 * sizeof(uint32_t))));

// Vectors of 256 bits are never passed or returned by value: a function built without AVX
// would expect them elsewhere than one built with it.
template <typename Vector>
[[gnu::always_inline]] inline void load(Vector& v, const uint32_t* from) {
    std::memcpy(&v, from, sizeof v);
}

[[gnu::always_inline]] inline void store(uint32_t* to, Quad v) {
    std::memcpy(to, &v, sizeof v);
}

// A 4 x 4 block turned over its diagonal: four columns, from `column` on, become four rows
// of the window, from `row` on.
[[gnu::always_inline]] inline void turn_four_rows(const uint32_t* column, int64_t column_step,
                                                  uint32_t* row, int64_t stride) {
    Quad a;
    Quad b;
    Quad c;
    Quad d;
    load(a, column);
    load(b, column + column_step);
    load(c, column + 2 * column_step);
    load(d, column + 3 * column_step);
    const Quad ab_low = __builtin_shufflevector(a, b, 0, 4, 1, 5);
    const Quad ab_high = __builtin_shufflevector(a, b, 2, 6, 3, 7);
    const Quad cd_low = __builtin_shufflevector(c, d, 0, 4, 1, 5);
    const Quad cd_high = __builtin_shufflevector(c, d, 2, 6, 3, 7);
    store(row, __builtin_shufflevector(ab_low, cd_low, 0, 1, 4, 5));
    store(row + stride, __builtin_shufflevector(ab_low, cd_low, 2, 3, 6, 7));
    store(row + 2 * stride, __builtin_shufflevector(ab_high, cd_high, 0, 1, 4, 5));
    store(row + 3 * stride, __builtin_shufflevector(ab_high, cd_high, 2, 3, 6, 7));
}

// Two blocks at once, eight rows of four columns: each half of a 256-bit vector turns the
// block of its four rows exactly as turn_four_rows does, with the same shuffles.
__attribute__((target("avx2"))) inline void turn_eight_rows(const uint32_t* column,
                                                            int64_t column_step, uint32_t* row,
                                                            int64_t stride) {
    Octet a;
    Octet b;
    Octet c;
    Octet d;
    load(a, column);
    load(b, column + column_step);
    load(c, column + 2 * column_step);
    load(d, column + 3 * column_step);
    const Octet ab_low = __builtin_shufflevector(a, b, 0, 8, 1, 9, 4, 12, 5, 13);
    const Octet ab_high = __builtin_shufflevector(a, b, 2, 10, 3, 11, 6, 14, 7, 15);
    const Octet cd_low = __builtin_shufflevector(c, d, 0, 8, 1, 9, 4, 12, 5, 13);
    const Octet cd_high = __builtin_shufflevector(c, d, 2, 10, 3, 11, 6, 14, 7, 15);
    const Octet turned[4] = {
        __builtin_shufflevector(ab_low, cd_low, 0, 1, 8, 9, 4, 5, 12, 13),
        __builtin_shufflevector(ab_low, cd_low, 2, 3, 10, 11, 6, 7, 14, 15),
        __builtin_shufflevector(ab_high, cd_high, 0, 1, 8, 9, 4, 5, 12, 13),
        __builtin_shufflevector(ab_high, cd_high, 2, 3, 10, 11, 6, 7, 14, 15),
    };
#pragma GCC unroll 4
    for (int64_t i = 0; i < 4; ++i) {
        std::memcpy(row + i * stride, &turned[i], sizeof(Quad));
        std::memcpy(row + (i + 4) * stride,
                    reinterpret_cast<const char*>(&turned[i]) + sizeof(Quad), sizeof(Quad));
    }
}

using Turn = void (*)(const uint32_t*, int64_t, uint32_t*, int64_t);

// Every whole block of kRows rows and four columns from row `top` on; returns the first row
// left over.
template <int64_t kRows, Turn kTurn>
[[gnu::always_inline]] inline int64_t turn_blocks(const uint32_t* columns, int64_t column_step,
                                                  int64_t width, int64_t top, int64_t height,
                                                  uint32_t* rows, int64_t stride) {
    const int64_t end_row = top + (height - top) / kRows * kRows;
    for (int64_t x = 0; x + 4 <= width; x += 4) {
        const uint32_t* from = columns + x * column_step + top;
        uint32_t* to = rows + top * stride + x;
        for (const uint32_t* const end = from + (end_row - top); from < end; from += kRows) {
            kTurn(from, column_step, to, stride);
            to += kRows * stride;
        }
    }
    return end_row;
}

// One version for processors with 256-bit vectors, one for the others; the loader picks.
__attribute__((target("default"))) int64_t turn_eights(const uint32_t*, int64_t, int64_t, int64_t,
                                                       uint32_t*, int64_t) {
    return 0;
}

__attribute__((target("avx2"))) int64_t turn_eights(const uint32_t* columns, int64_t column_step,
                                                    int64_t width, int64_t height, uint32_t* rows,
                                                    int64_t stride) {
    return turn_blocks<8, turn_eight_rows>(columns, column_step, width, 0, height, rows, stride);
}

}  // namespace

void copy_columns_to_rows(const uint32_t* columns, int64_t column_step, int64_t width,
                          int64_t height, uint32_t* rows, int64_t stride) {
    const int64_t top = turn_eights(columns, column_step, width, height, rows, stride);
    const int64_t whole_rows =
        turn_blocks<4, turn_four_rows>(columns, column_step, width, top, height, rows, stride);
    // The last rows and columns that make no whole block, pixel by pixel.
    const int64_t whole_columns = width / 4 * 4;
    for (int64_t y = 0; y < height; ++y) {
        for (int64_t x = y < whole_rows ? whole_columns : 0; x < width; ++x) {
            rows[y * stride + x] = columns[x * column_step + y];
        }
    }
}

}  // namespace quorel
