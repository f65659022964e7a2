// The month navigation arrows: small triangles on a transparent 22 x 18 glyph.
#pragma once

#include <QPixmap>

namespace selenara {

enum class ArrowState { Normal = 0, Hover = 1, Pressed = 2, Disabled = 3, Focused = 4 };

inline constexpr int kArrowWidth = 22;
inline constexpr int kArrowHeight = 18;

// Light blue normally, orange under the mouse, dark orange (and a pixel lower)
// while pressed, grey when disabled, light blue with a faint frame when focused.
// States outside 0..4 draw as Normal. The left arrow is the right one mirrored.
// Needs a QGuiApplication (it is a QPixmap).
QPixmap ArrowGlyph(bool pointsRight, int state, qreal devicePixelRatio = 1.0);
inline QPixmap ArrowGlyph(bool pointsRight, ArrowState state, qreal devicePixelRatio = 1.0) {
    return ArrowGlyph(pointsRight, static_cast<int>(state), devicePixelRatio);
}

}  // namespace selenara
