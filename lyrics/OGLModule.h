#pragma once

#include <QSurfaceFormat>

namespace melorit::lyrics {

class OutlineFont;

// The surface the lyrics are drawn on: double-buffered RGBA with a 16-bit
// depth buffer, in a compatibility context (display lists, fixed lighting).
QSurfaceFormat lyricsSurfaceFormat();

// Whether such a context can be made here; tells the user when it cannot.
bool probeOpenGL();

// The drawing state of the window and its outline font "Comic Sans MS",
// with the rendering context current. True also when the font failed (the
// user has then been told).
bool InitOpenGL(OutlineFont &font);

} // namespace melorit::lyrics
