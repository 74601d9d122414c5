#pragma once

#include <array>
#include <cstdint>

namespace quorel {

// One of the library's six 21 x 25 marker pictures: a pin on a black background whose
// needle tip is the bottom-left pixel. Black pixels leave the canvas unchanged when the
// picture is combined by OR.
struct MarkerPicture {
    static constexpr int32_t kWidth = 21;
    static constexpr int32_t kHeight = 25;
    std::array<uint32_t, kWidth * kHeight> pixels;
};

// Pictures 102 to 104 and 107 are the red pins numbered 2, 3, 4 and 1; 105 and 106 the blue
// pins with a minus and a plus sign. Returns nullptr for any other number.
const MarkerPicture* marker_picture(int32_t number);

// The picture that marks the peak of zone 0 to 3.
int32_t zone_marker_number(int32_t zone);

}  // namespace quorel
