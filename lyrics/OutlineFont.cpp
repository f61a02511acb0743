#include "lyrics/OutlineFont.h"

#include "base/UserMessages.h"
#include "lyrics/GlyphMesh.h"

namespace melorit::lyrics {
namespace {

// The outlines are read from a font this many pixels to the em: Qt flattens
// curves to half a pixel, 0.0125 em here, a pixel at 80 pixels to the em on
// screen (about the middle zoom in a 900-pixel-high window). Finer
// curves cost triangles in every frame.
constexpr int kOutlinePixels = 40;

const QString kMessageTitle = QStringLiteral("Melorit");

} // namespace

bool OutlineFont::BuildFont3D(const QString &faceName, int height, int weight, bool italic,
                              const Rgb &colour)
{
    Q_UNUSED(height);
    release();
    m_font = QFont(faceName);
    m_font.setPixelSize(kOutlinePixels);
    m_font.setWeight(static_cast<QFont::Weight>(weight));
    m_font.setItalic(italic);
    m_font.setKerning(false);
    m_font.setHintingPreference(QFont::PreferNoHinting);
    glColor3f(colour.r, colour.g, colour.b);

    m_listBase = glGenLists(kEightBitGlyphCount);
    if (m_listBase == 0) {
        showMessage(QStringLiteral("Impossible de créer la police de caractère"), kMessageTitle,
                    MessageIcon::None);
        return false;
    }
    bool anyOutline = false;
    for (GlyphCode code = 0; code < kEightBitGlyphCount; ++code) {
        if (!compileGlyph(m_listBase + code, code)) {
            release();
            showMessage(QStringLiteral("Impossible de créer la police de caractères"),
                        kMessageTitle, MessageIcon::None);
            return false;
        }
        anyOutline = anyOutline || m_triangles[code] > 0;
    }
    if (!anyOutline) {
        release();
        showMessage(QStringLiteral("Impossible de créer la police de caractères"), kMessageTitle,
                    MessageIcon::None);
        return false;
    }
    return true;
}

// Compiles one glyph into a list. False when the tessellator failed.
bool OutlineFont::compileGlyph(GLuint list, GlyphCode code)
{
    const char32_t character = characterOfGlyph(code);
    // Control characters have no outline and take no room.
    const bool blank = character < 0x20 || (character >= 0x7F && character < 0xA0);
    const std::vector<Contour> contours =
        blank ? std::vector<Contour>{} : glyphContours(m_font, character);
    const auto solid = extrudeContours(contours, kExtrusion);
    if (!solid) {
        return false;
    }
    const GlyphMetrics metrics = blank ? GlyphMetrics{} : glyphMetrics(m_font, character, contours);
    // One batch of separate triangles a glyph: a software renderer pays for
    // each primitive more than for the vertices fans and strips would save.
    const std::vector<MeshVertex> triangles = solidTriangles(*solid);
    glNewList(list, GL_COMPILE);
    if (!triangles.empty()) {
        glBegin(GL_TRIANGLES);
        for (const MeshVertex &v : triangles) {
            glNormal3f(v.nx, v.ny, v.nz);
            glVertex3f(v.x, v.y, v.z);
        }
        glEnd();
    }
    glTranslatef(metrics.cellIncX, metrics.cellIncY, 0);
    glEndList();
    m_metrics.set(code, metrics);
    m_triangles[code] = triangles.size() / 3;
    return true;
}

void OutlineFont::ensureGlyphs(std::span<const GlyphCode> codes)
{
    if (!ready()) {
        return;
    }
    for (const GlyphCode code : codes) {
        if (code < kEightBitGlyphCount || m_otherLists.contains(code)) {
            continue;
        }
        const GLuint list = glGenLists(1);
        if (list == 0) {
            return;
        }
        if (!compileGlyph(list, code)) {
            // A glyph the tessellator cannot fill draws nothing.
            glNewList(list, GL_COMPILE);
            glEndList();
            m_metrics.set(code, {});
        }
        m_otherLists.emplace(code, list);
    }
}

GLuint OutlineFont::listOf(GlyphCode code) const
{
    if (code < kEightBitGlyphCount) {
        return m_listBase + code;
    }
    const auto it = m_otherLists.find(code);
    return it == m_otherLists.end() ? 0 : it->second;
}

void OutlineFont::Print3D(std::span<const GlyphCode> text, float x, float y, float z,
                          const Rgb &colour)
{
    if (text.empty() || !ready()) {
        return;
    }
    m_calls.clear();
    for (const GlyphCode code : text) {
        m_calls.push_back(listOf(code));
    }
    glPushMatrix();
    glTranslatef(x, y, z);
    glColor3f(colour.r, colour.g, colour.b);
    glCallLists(static_cast<GLsizei>(m_calls.size()), GL_UNSIGNED_INT, m_calls.data());
    glPopMatrix();
    const GLenum error = glGetError();
    // One box per frame and text would come back every 10 ms: each error
    // code is shown once.
    if (error != GL_NO_ERROR && m_reportedErrors.insert(error).second) {
        showMessage(QString::number(error), kMessageTitle, MessageIcon::None);
    }
}

std::size_t OutlineFont::triangleCount(GlyphCode code) const
{
    const auto it = m_triangles.find(code);
    return it == m_triangles.end() ? 0 : it->second;
}

void OutlineFont::release()
{
    if (m_listBase != 0) {
        glDeleteLists(m_listBase, kEightBitGlyphCount);
    }
    for (const auto &[code, list] : m_otherLists) {
        glDeleteLists(list, 1);
    }
    m_listBase = 0;
    m_otherLists.clear();
    m_triangles.clear();
    m_metrics.clear();
}

} // namespace melorit::lyrics
