// Whether text is drawn here in the window's font or one of the narrow faces
// that stand in for it: only then can a test judge whether a caption fits.
// (Qt's offscreen platform on Windows reads its fonts from one folder and
// finds no narrow face by name there.)
#pragma once

#include "toolkit/Look.h"

#include <QFontInfo>
#include <QString>

namespace selenara::testing {

inline bool WindowFontIsHere() {
    const QString family = QFontInfo(look::WindowFont()).family();
    return family == QStringLiteral("MS Sans Serif") || family == QStringLiteral("Liberation Sans Narrow") ||
           family == QStringLiteral("Arial Narrow");
}

}  // namespace selenara::testing
