// JPEG decoding for the window artwork, and the artwork embedded in the program.
#pragma once

#include <QByteArray>
#include <QImage>

namespace selenara {

// Decodes a baseline or progressive JPEG into Format_RGB32. Corrupt or
// truncated data gives a null image: every libjpeg warning counts as an error,
// since a half-decoded picture would otherwise show as a grey block.
QImage DecodeJpeg(const QByteArray& data);

// The embedded artwork `name` (e.g. "background.jpg", read from
// ":/artwork/background.jpg"); a null image if there is none by that name.
QImage LoadArtwork(const char* name);

}  // namespace selenara
