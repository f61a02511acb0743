#pragma once

#include <QString>
#include <QSurfaceFormat>

namespace melorit::lyrics {

class OutlineFont;

// The surface the lyrics are drawn on: double-buffered RGBA with a 16-bit
// depth buffer, in a compatibility context (display lists, fixed lighting).
QSurfaceFormat lyricsSurfaceFormat();

// Whether such a context can be made here; tells the user when it cannot.
bool probeOpenGL();

// The face the lyrics are drawn in unless another is chosen.
inline constexpr QStringView kLyricsFontFace = u"Comic Sans MS";

// The drawing state of the window and its outline font (by default
// "Comic Sans MS"), with the rendering context current. True also when the
// font failed (the user has then been told).
bool InitOpenGL(OutlineFont &font, const QString &faceName = kLyricsFontFace.toString());
// The outline font alone, built again in another face.
bool buildLyricsFont(OutlineFont &font, const QString &faceName);

} // namespace melorit::lyrics
