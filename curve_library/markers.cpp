#include "curve_library/markers.h"

#include <string_view>

namespace quorel {

namespace {

// 'o' grey rim, 'H' head, 'l' light-grey needle, '.' black (transparent when combined).
constexpr std::array<std::string_view, MarkerPicture::kHeight> kPin = {
    "........ooooooo......", "......ooHHHHHHHoo....", ".....oHHHHHHHHHHHo...",
    "....oHHHHHHHHHHHHHo..", "...oHHHHHHHHHHHHHHHo.", "...oHHHHHHHHHHHHHHHo.",
    "..oHHHHHHHHHHHHHHHHHo", "..oHHHHHHHHHHHHHHHHHo", "..oHHHHHHHHHHHHHHHHHo",
    "..oHHHHHHHHHHHHHHHHHo", "..oHHHHHHHHHHHHHHHHHo", "..oHHHHHHHHHHHHHHHHHo",
    "..oHHHHHHHHHHHHHHHHHo", "...oHHHHHHHHHHHHHHHo.", "..loHHHHHHHHHHHHHHHo.",
    "..lloHHHHHHHHHHHHHo..", "..llloHHHHHHHHHHHo...", "..llllooHHHHHHHoo....",
    "..llllllooooooo......", ".lllll...............", ".llll................",
    "llll.................", "lll..................", "ll...................",
    "l....................",
};

// Signs are 7 x 10, '#' white, placed in the middle of the head.
constexpr int32_t kSignWidth = 7;
constexpr int32_t kSignHeight = 10;
constexpr int32_t kSignLeft = 8;
constexpr int32_t kSignTop = 4;
using Sign = std::array<std::string_view, kSignHeight>;

constexpr Sign kOne = {
    "...##..", "..###..", ".####..", "...##..", "...##..",
    "...##..", "...##..", "...##..", "...##..", ".######",
};
constexpr Sign kTwo = {
    ".#####.", "##...##", ".....##", ".....##", "....##.",
    "...##..", "..##...", ".##....", "##.....", "#######",
};
constexpr Sign kThree = {
    ".#####.", "##...##", ".....##", ".....##", "..####.",
    ".....##", ".....##", ".....##", "##...##", ".#####.",
};
constexpr Sign kFour = {
    "....##.", "...###.", "..####.", ".##.##.", "##..##.",
    "#######", "....##.", "....##.", "....##.", "....##.",
};
constexpr Sign kMinus = {
    ".......", ".......", ".......", ".......", "#######",
    "#######", ".......", ".......", ".......", ".......",
};
constexpr Sign kPlus = {
    ".......", "..###..", "..###..", "..###..", "#######",
    "#######", "..###..", "..###..", "..###..", ".......",
};

constexpr uint32_t kRed = 0xFFFF0000u;
constexpr uint32_t kBlue = 0xFF0000FFu;

constexpr bool sign_pixel(const Sign& sign, int32_t x, int32_t y) {
    const int32_t col = x - kSignLeft;
    const int32_t row = y - kSignTop;
    return col >= 0 && row >= 0 && col < kSignWidth && row < kSignHeight && sign[row][col] == '#';
}

constexpr uint32_t pin_colour(char c, uint32_t head) {
    switch (c) {
        case 'o':
            return 0xFF808080u;
        case 'H':
            return head;
        case 'l':
            return 0xFFC0C0C0u;
        default:
            return 0xFF000000u;
    }
}

constexpr MarkerPicture compose(uint32_t head, const Sign& sign) {
    MarkerPicture picture{};
    for (int32_t y = 0; y < MarkerPicture::kHeight; ++y) {
        for (int32_t x = 0; x < MarkerPicture::kWidth; ++x) {
            const char c = kPin[y][x];
            picture.pixels[y * MarkerPicture::kWidth + x] =
                (c == 'H' && sign_pixel(sign, x, y)) ? 0xFFFFFFFFu : pin_colour(c, head);
        }
    }
    return picture;
}

constexpr std::array<MarkerPicture, 6> kPictures = {
    compose(kRed, kTwo),    compose(kRed, kThree), compose(kRed, kFour),
    compose(kBlue, kMinus), compose(kBlue, kPlus), compose(kRed, kOne),
};
constexpr int32_t kFirstNumber = 102;

}  // namespace

const MarkerPicture* marker_picture(int32_t number) {
    const int32_t slot = number - kFirstNumber;
    if (slot < 0 || slot >= static_cast<int32_t>(kPictures.size())) {
        return nullptr;
    }
    return &kPictures[slot];
}

int32_t zone_marker_number(int32_t zone) {
    constexpr std::array<int32_t, 4> kNumbers = {107, 102, 103, 104};
    return zone >= 0 && zone < 4 ? kNumbers[static_cast<size_t>(zone)] : 0;
}

}  // namespace quorel
