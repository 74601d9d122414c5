#pragma once

#include <QPixmap>

namespace corvanta {

// The main window's button pictures, drawn at start-up (no picture files).
enum class IconKind {
    RightSide,
    LeftSide,
    Preview,
    Store,
    Delete,
    Print,
    Freeze,
    Restart,
    Quit,
    Folder,
};

// A square picture of `size` pixels on a transparent background.
QPixmap drawIcon(IconKind kind, int size);

// The pin marker of zone `zone` (0..3) used on the printed curve page: 21 x 25 pixels,
// white background, red head with a grey rim and the white digit zone + 1, light-grey
// needle ending in the lower left pixel.
QPixmap drawZonePin(int zone);

}  // namespace corvanta
