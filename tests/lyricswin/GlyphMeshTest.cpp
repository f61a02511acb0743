#include "lyrics/GlyphMesh.h"
#include "tests/lyricswin/WindowTestSupport.h"

#include <QFontInfo>

#include <gtest/gtest.h>

#include <cmath>

using namespace melorit::lyrics;

namespace {

constexpr float kDepth = 0.1f;

QFont lyricsFont()
{
    melorit::lyricswin::ensureApplication();
    QFont font(QStringLiteral("Comic Sans MS"));
    font.setPixelSize(100);
    font.setWeight(QFont::Bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

double signedArea(const Contour &c)
{
    double area = 0;
    for (std::size_t i = 0; i < c.size(); ++i) {
        const QPointF &a = c[i];
        const QPointF &b = c[(i + 1) % c.size()];
        area += a.x() * b.y() - b.x() * a.y();
    }
    return area / 2;
}

// Area of triangles seen from +z: counter-clockwise ones count positive.
double areaSeenFromFront(const std::vector<MeshVertex> &t, float nz)
{
    double area = 0;
    for (std::size_t i = 0; i + 2 < t.size(); i += 3) {
        if (t[i].nz != nz) {
            continue;
        }
        area += ((t[i + 1].x - t[i].x) * (t[i + 2].y - t[i].y) -
                 (t[i + 2].x - t[i].x) * (t[i + 1].y - t[i].y)) /
                2;
    }
    return area;
}

struct Solid {
    std::vector<Contour> contours;
    std::vector<MeshVertex> triangles;
};

Solid solid(char32_t c)
{
    Solid s;
    s.contours = glyphContours(lyricsFont(), c);
    const auto extruded = extrudeContours(s.contours, kDepth);
    EXPECT_TRUE(extruded.has_value());
    if (extruded) {
        s.triangles = solidTriangles(*extruded);
    }
    return s;
}

} // namespace

TEST(GlyphMesh, ComicSansResolvesToAnOutlineFont)
{
    const QFontInfo info(lyricsFont());
    // Debian's stand-in for the face is Comic Neue (fonts-comic-neue).
    EXPECT_TRUE(info.family().contains(QStringLiteral("Comic"))) << info.family().toStdString();
    EXPECT_FALSE(glyphContours(lyricsFont(), U'A').empty());
}

TEST(GlyphMesh, FacesCoverTheGlyphAndKeepItsHoles)
{
    const Solid o = solid(U'O');
    ASSERT_GE(o.contours.size(), 2u); // the outside and the hole
    double filled = 0;
    for (const Contour &c : o.contours) {
        filled += signedArea(c);
    }
    filled = std::abs(filled);
    ASSERT_GT(filled, 0.05);
    // The front face counter-clockwise from the viewer's side, the back face
    // counter-clockwise from behind; each covers the ring, not the hole.
    EXPECT_NEAR(areaSeenFromFront(o.triangles, 1), filled, filled * 0.01);
    EXPECT_NEAR(areaSeenFromFront(o.triangles, -1), -filled, filled * 0.01);
    for (const MeshVertex &v : o.triangles) {
        if (v.nz > 0) {
            EXPECT_EQ(v.z, 0.0f);
        } else if (v.nz < 0) {
            EXPECT_FLOAT_EQ(v.z, -kDepth);
        }
    }
}

TEST(GlyphMesh, WallsJoinTheFacesAndFaceOutwards)
{
    for (const char32_t c : {U'O', U'B', U'é', U'%'}) {
        const Solid s = solid(c);
        int walls = 0;
        for (std::size_t i = 0; i + 2 < s.triangles.size(); i += 3) {
            const MeshVertex &a = s.triangles[i];
            if (a.nz != 0) {
                continue;
            }
            ++walls;
            const MeshVertex &b = s.triangles[i + 1];
            const MeshVertex &d = s.triangles[i + 2];
            EXPECT_NEAR(std::hypot(a.nx, a.ny), 1.0, 1e-4);
            // From front to back, and counter-clockwise seen from outside.
            EXPECT_FLOAT_EQ(std::min({a.z, b.z, d.z}), -kDepth);
            EXPECT_EQ(std::max({a.z, b.z, d.z}), 0.0f);
            const double ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
            const double vx = d.x - a.x, vy = d.y - a.y, vz = d.z - a.z;
            const double nx = uy * vz - uz * vy, ny = uz * vx - ux * vz;
            EXPECT_GT(nx * a.nx + ny * a.ny, 0.0);
            const QPointF middle((a.x + b.x + d.x) / 3, (a.y + b.y + d.y) / 3);
            const QPointF normal(a.nx, a.ny);
            EXPECT_FALSE(insideContours(s.contours, middle + normal * 0.004));
            EXPECT_TRUE(insideContours(s.contours, middle - normal * 0.004));
        }
        EXPECT_GT(walls, 8) << static_cast<std::uint32_t>(c);
    }
}

TEST(GlyphMesh, MetricsAreInEmUnits)
{
    const QFont font = lyricsFont();
    const auto bracket = glyphContours(font, U'[');
    const GlyphMetrics b = glyphMetrics(font, U'[', bracket);
    EXPECT_GT(b.blackBoxY, 0.6f);
    EXPECT_LT(b.blackBoxY, 1.3f);
    EXPECT_GT(b.blackBoxX, 0.1f);
    EXPECT_LT(b.blackBoxX, b.blackBoxY);
    EXPECT_GT(b.originY, 0.5f); // the top of the box, above the base line
    EXPECT_EQ(b.cellIncY, 0.0f);
    const GlyphMetrics i = glyphMetrics(font, U'i', glyphContours(font, U'i'));
    const GlyphMetrics m = glyphMetrics(font, U'm', glyphContours(font, U'm'));
    EXPECT_LT(i.cellIncX, m.cellIncX);
    EXPECT_GT(m.cellIncX, 0.5f);
    EXPECT_LT(m.cellIncX, 1.2f);
    // A descender reaches below the base line.
    const GlyphMetrics g = glyphMetrics(font, U'g', glyphContours(font, U'g'));
    EXPECT_LT(g.originY - g.blackBoxY, -0.1f);
}

TEST(GlyphMesh, BlanksTakeRoomWithoutShape)
{
    const QFont font = lyricsFont();
    const auto contours = glyphContours(font, U' ');
    EXPECT_TRUE(contours.empty());
    const GlyphMetrics space = glyphMetrics(font, U' ', contours);
    EXPECT_GT(space.cellIncX, 0.15f);
    EXPECT_EQ(space.blackBoxY, 0.0f);
    const auto mesh = extrudeContours(contours, kDepth);
    ASSERT_TRUE(mesh.has_value());
    EXPECT_TRUE(mesh->empty());
}

TEST(GlyphMesh, CharactersBeyondTheFontComeFromFallbackFonts)
{
    const Solid zhe = solid(U'Ж');
    EXPECT_FALSE(zhe.contours.empty());
    EXPECT_GT(areaSeenFromFront(zhe.triangles, 1), 0.05);
}
