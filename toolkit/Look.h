// The palette and font of the window.
#pragma once

#include <QColor>
#include <QFont>

class QPainter;
class QRectF;

namespace selenara::look {

inline const QColor LightBlue{105, 221, 255};  // day numbers, captions, links; focus and selection
inline const QColor Orange{255, 156, 0};       // under the mouse
inline const QColor DarkBlue{24, 0, 172};      // the month caption
inline const QColor White{255, 255, 255};
inline const QColor Black{0, 0, 0};
inline const QColor LoreScrollTrack{0x05, 0x08, 0x1a};   // the lore box's scroll bar
inline const QColor LoreScrollHandle{0x2a, 0x3a, 0x70};

// "MS Sans Serif" 8 pt (11 pixels), with a narrow sans-serif standing in
// where the face is missing, so that "Letztes Viertel" fits its 68 pixels.
QFont WindowFont(bool bold = false);
// Looks both of its weights up, which first reads the font configuration.
// Safe on any thread: main runs it on one of its own at the start.
void LoadWindowFonts();

// The keyboard's focus frame round a control that fills `bounds`: a faint
// light blue rounded edge on its outermost pixels.
void DrawFocusFrame(QPainter& painter, const QRectF& bounds);

// Sets a label's text colour (and nothing else of its palette).
void SetTextColor(class QWidget& widget, const QColor& color);

}  // namespace selenara::look
