#pragma once

#include <cstdint>

namespace quorel {

// Copies a picture held column by column into a window held row by row: the pixel at column
// x and row y is columns[x * column_step + y] and goes to rows[y * stride + x].
void copy_columns_to_rows(const uint32_t* columns, int64_t column_step, int64_t width,
                          int64_t height, uint32_t* rows, int64_t stride);

}  // namespace quorel
