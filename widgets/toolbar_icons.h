#pragma once

#include <QPixmap>

namespace corvanta {

// The toolbar pictures the patient and exam windows share, 32 x 32 on a transparent
// background, drawn when a window is made (no picture files).
enum class ToolbarIcon {
    ArrowLeft,
    ArrowRight,
    ArrowUp,
    ArrowDown,
    WritingHand,
    ValidatedWindow,
    Bin,
    Binoculars,
    Stop,
};

inline constexpr int kToolbarIconSize = 32;

QPixmap drawToolbarIcon(ToolbarIcon icon);

}  // namespace corvanta
