#pragma once

#include "lyrics/GlyphMesh.h"

#include <optional>
#include <vector>

namespace melorit::lyrics {

// The front face of a glyph: its contours filled by the non-zero winding rule
// (GLU tessellator), as fans, strips and triangles in the plane z = 0, each
// counter-clockwise seen from +z. Nothing when the tessellator fails.
std::optional<GlyphSolid> tessellateFace(const std::vector<Contour> &contours);

// The same primitive turned to face the other way.
void reverseWinding(MeshPrimitive &primitive);

} // namespace melorit::lyrics
