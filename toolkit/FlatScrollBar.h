// A vertical scroll bar drawn flat: a handle of one colour on a track of
// another, with no arrow buttons. Drawn through a style of its own, so that
// the handle the mouse takes is the handle drawn.
#pragma once

#include <QColor>

class QScrollBar;

namespace selenara {

struct FlatScrollBarLook {
    QColor Track;
    QColor Handle;
    int Width = 12;
    int MinimumHandle = 12;  // the handle's least length
};

// Gives `bar` that look; its style lives as long as the bar does.
void MakeFlat(QScrollBar& bar, const FlatScrollBarLook& look);

}  // namespace selenara
