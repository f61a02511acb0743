#pragma once

#include "lyrics/GlyphMetrics.h"

#include <QFont>
#include <QPointF>

#include <optional>
#include <vector>

namespace melorit::lyrics {

// One closed outline of a glyph in em units, y up; the last point joins the
// first.
using Contour = std::vector<QPointF>;

struct MeshVertex {
    float x = 0;
    float y = 0;
    float z = 0;
    float nx = 0;
    float ny = 0;
    float nz = 0;
};

// Triangles as OpenGL draws them: separate, as a fan around the first
// vertex, or as a strip.
struct MeshPrimitive {
    enum class Kind { Triangles, Fan, Strip };
    Kind kind = Kind::Triangles;
    std::vector<MeshVertex> vertices;
};

// A glyph as solid text: the front face at z = 0 facing +z, the back face at
// z = -depth facing -z and the side walls between them, every triangle
// counter-clockwise seen from outside, with normals for the lighting.
using GlyphSolid = std::vector<MeshPrimitive>;

// The outline of a character drawn in a font (with the system's fallback
// fonts for characters the font lacks), flattened into polygons, in units of
// the font's pixel size (the em). Nothing for blank characters.
std::vector<Contour> glyphContours(const QFont &font, char32_t character);

// The metrics of a character: black box of its contours, advance of the font.
GlyphMetrics glyphMetrics(const QFont &font, char32_t character,
                          const std::vector<Contour> &contours);

// Fills the contours by the non-zero winding rule (holes stay open) and
// extrudes them by depth. Nothing when the tessellator fails.
std::optional<GlyphSolid> extrudeContours(const std::vector<Contour> &contours, float depth);

// The solid as separate triangles, each in drawing order (the empty ones that
// turn strips around left out).
std::vector<MeshVertex> solidTriangles(const GlyphSolid &solid);

// Whether a point lies inside the contours by the non-zero winding rule.
bool insideContours(const std::vector<Contour> &contours, const QPointF &point);

} // namespace melorit::lyrics
