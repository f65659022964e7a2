// The moon icons of the calendar cells and the tray, drawn from the phase geometry.
#pragma once

#include <QIcon>
#include <QImage>

class QPainter;

namespace selenara {

// Icon numbers: 1 new moon, 2..7 waxing crescent, 8 first quarter, 9..14 waxing
// gibbous, 15 full moon, 16..21 waning gibbous, 22 last quarter, 23..28 waning
// crescent, 29 blue moon. Every other number (30, 31 and beyond) is empty.
inline constexpr int kNewMoonIcon = 1;
inline constexpr int kFirstQuarterIcon = 8;
inline constexpr int kFullMoonIcon = 15;
inline constexpr int kLastQuarterIcon = 22;
inline constexpr int kBlueMoonIcon = 29;
inline constexpr int kEmptyIcon = 31;

// The moon as seen from the northern hemisphere: a sizePx x sizePx logical icon
// on a transparent background, drawn at sizePx * devicePixelRatio physical pixels
// (ARGB32_Premultiplied, with that device pixel ratio set). Null if sizePx < 1.
QImage MoonIcon(int index, int sizePx, qreal devicePixelRatio = 1.0);

// The same moon painted on any device (an image, or an SVG for the desktop icon),
// into the square (0, 0)..(sizePx, sizePx) of the painter's coordinates. Paints
// nothing for an empty icon number; leaves the painter's state as it found it.
void PaintMoon(QPainter& painter, int index, qreal sizePx);

// The icon for the system tray, in the sizes 16, 22, 24, 32, 48 and 64.
// Needs a QGuiApplication.
QIcon TrayMoonIcon(int index);

}  // namespace selenara
