#pragma once

#include "lyrics/GlyphMetrics.h"
#include "lyrics/LyricsFrame.h"

#include <QFont>
#include <QString>

#include <qopengl.h>

#include <span>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace melorit::lyrics {

// Solid outline text in OpenGL display lists: one list per glyph that draws
// the extruded glyph and moves to the next glyph's origin. The 256 codes of
// the 8-bit font are built at once (code c in list ListBase() + c; the first
// lists of a fresh context, so c + 1); other characters on demand. Every
// function needs the window's rendering context current. UI thread.
class OutlineFont {
public:
    // Outlines extruded by this much, in em units.
    static constexpr float kExtrusion = 0.1f;

    OutlineFont() = default;
    OutlineFont(const OutlineFont &) = delete;
    OutlineFont &operator=(const OutlineFont &) = delete;

    // Builds the 256 glyph lists of a face; Height only chose the size of
    // the system font, the outlines are in em units. False (the user is told)
    // when no list or no outline could be made.
    bool BuildFont3D(const QString &faceName, int height, int weight, bool italic,
                     const Rgb &colour);
    // Builds the glyphs of the codes above 255 that do not exist yet.
    void ensureGlyphs(std::span<const GlyphCode> codes);
    // Draws a text with its first glyph's origin at (x, y, z). Nothing for an
    // empty text. An OpenGL error is reported to the user, once per code.
    void Print3D(std::span<const GlyphCode> text, float x, float y, float z, const Rgb &colour);

    float Text3DWidth(std::span<const GlyphCode> text) const { return m_metrics.Text3DWidth(text); }
    float Text3DHeight(std::span<const GlyphCode> text) const
    {
        return m_metrics.Text3DHeight(text);
    }
    // The metrics of every glyph built (the glyph metric records).
    const GlyphMetricsTable &metricsTable() const { return m_metrics; }

    bool ready() const { return m_listBase != 0; }
    GLuint ListBase() const { return m_listBase; }
    // Triangles in the lists, all glyphs (for measurements).
    std::size_t triangleCount(GlyphCode code) const;
    // Deletes every list.
    void release();

private:
    bool compileGlyph(GLuint list, GlyphCode code);
    GLuint listOf(GlyphCode code) const;

    QFont m_font;
    GLuint m_listBase = 0;
    std::unordered_map<GlyphCode, GLuint> m_otherLists;
    std::unordered_map<GlyphCode, std::size_t> m_triangles;
    GlyphMetricsTable m_metrics;
    std::vector<GLuint> m_calls;
    std::unordered_set<GLenum> m_reportedErrors;
};

} // namespace melorit::lyrics
