#include "lyrics/GlyphMesh.h"

#include "lyrics/GlyphFaces.h"

#include <QFontMetricsF>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace melorit::lyrics {
namespace {

// Outline points closer than this (em) are one point.
constexpr double kSamePoint = 1e-6;
// The size advances are measured at, pixels to the em.
constexpr int kMetricsPixels = 1000;
// How far beside an edge the filled side is probed (em).
constexpr double kProbe = 1e-3;
// Walls meeting at a wider angle than about 40 degrees keep a sharp edge;
// flatter joints (curves) are shaded smoothly.
constexpr double kSmoothJoint = 0.766;

double length(const QPointF &v)
{
    return std::hypot(v.x(), v.y());
}

QPointF normalised(const QPointF &v)
{
    const double l = length(v);
    return l > 0 ? v / l : v;
}

// Winding number of a closed polygon around a point.
int windingAround(const Contour &contour, const QPointF &p)
{
    int winding = 0;
    const std::size_t n = contour.size();
    for (std::size_t i = 0; i < n; ++i) {
        const QPointF &a = contour[i];
        const QPointF &b = contour[(i + 1) % n];
        const double side = (b.x() - a.x()) * (p.y() - a.y()) - (p.x() - a.x()) * (b.y() - a.y());
        if (a.y() <= p.y()) {
            if (b.y() > p.y() && side > 0) {
                ++winding;
            }
        } else if (b.y() <= p.y() && side < 0) {
            --winding;
        }
    }
    return winding;
}

// The outward normal of each edge that has the glyph on one side only;
// nothing for edges inside or outside the glyph on both sides.
std::vector<std::optional<QPointF>> edgeNormals(const std::vector<Contour> &contours,
                                                const Contour &contour)
{
    const std::size_t n = contour.size();
    std::vector<std::optional<QPointF>> normals(n);
    for (std::size_t i = 0; i < n; ++i) {
        const QPointF d = contour[(i + 1) % n] - contour[i];
        if (length(d) < kSamePoint) {
            continue;
        }
        const QPointF left = normalised(QPointF(-d.y(), d.x()));
        const QPointF middle = contour[i] + d / 2;
        const bool leftFilled = insideContours(contours, middle + left * kProbe);
        const bool rightFilled = insideContours(contours, middle - left * kProbe);
        if (leftFilled != rightFilled) {
            normals[i] = leftFilled ? -left : left;
        }
    }
    return normals;
}

MeshVertex wallVertex(const QPointF &p, double z, const QPointF &normal)
{
    return MeshVertex{static_cast<float>(p.x()),      static_cast<float>(p.y()),
                      static_cast<float>(z),          static_cast<float>(normal.x()),
                      static_cast<float>(normal.y()), 0};
}

// One strip of wall along the edges first .. first + count - 1 (cyclic):
// front and back point of every corner, normals averaged at smooth joints.
MeshPrimitive wallStrip(const Contour &contour, const std::vector<std::optional<QPointF>> &normals,
                        std::size_t first, std::size_t count, bool closedLoop, double depth)
{
    const std::size_t n = contour.size();
    MeshPrimitive strip;
    strip.kind = MeshPrimitive::Kind::Strip;
    for (std::size_t k = 0; k <= count; ++k) {
        const std::size_t corner = (first + k) % n;
        // The edges before and after this corner; at the ends of an open
        // strip only the strip's own edge counts.
        const bool ownBefore = k > 0 || closedLoop;
        const bool ownAfter = k < count || closedLoop;
        QPointF normal;
        if (ownBefore) {
            normal += *normals[(corner + n - 1) % n];
        }
        if (ownAfter) {
            normal += *normals[corner];
        }
        normal = normalised(normal);
        strip.vertices.push_back(wallVertex(contour[corner], 0, normal));
        strip.vertices.push_back(wallVertex(contour[corner], -depth, normal));
    }
    // Front, back, next front: counter-clockwise from outside, or the other
    // way along this contour.
    const MeshVertex &f0 = strip.vertices[0];
    const MeshVertex &b0 = strip.vertices[1];
    const MeshVertex &f1 = strip.vertices[2];
    const double nx = double(b0.y - f0.y) * (f1.z - f0.z) - double(b0.z - f0.z) * (f1.y - f0.y);
    const double ny = double(b0.z - f0.z) * (f1.x - f0.x) - double(b0.x - f0.x) * (f1.z - f0.z);
    const QPointF &outward = *normals[first % n];
    if (nx * outward.x() + ny * outward.y() < 0) {
        for (std::size_t i = 0; i + 1 < strip.vertices.size(); i += 2) {
            std::swap(strip.vertices[i], strip.vertices[i + 1]);
        }
    }
    return strip;
}

// The walls of one contour as strips, broken where an edge has no wall and
// at sharp corners.
void addWalls(const std::vector<Contour> &contours, const Contour &contour, double depth,
              GlyphSolid &solid)
{
    const std::size_t n = contour.size();
    const auto normals = edgeNormals(contours, contour);
    const auto breaksBefore = [&](std::size_t edge) {
        const auto &previous = normals[(edge + n - 1) % n];
        const auto &current = normals[edge];
        return !previous || !current ||
               previous->x() * current->x() + previous->y() * current->y() < kSmoothJoint;
    };
    std::size_t start = n;
    for (std::size_t i = 0; i < n && start == n; ++i) {
        if (breaksBefore(i)) {
            start = i;
        }
    }
    if (start == n) { // one smooth loop
        if (normals[0]) {
            solid.push_back(wallStrip(contour, normals, 0, n, true, depth));
        }
        return;
    }
    std::size_t first = start;
    std::size_t count = 0;
    for (std::size_t k = 0; k <= n; ++k) {
        const std::size_t edge = (start + k) % n;
        if (k == n || breaksBefore(edge)) {
            if (count > 0) {
                solid.push_back(wallStrip(contour, normals, first, count, false, depth));
            }
            first = edge;
            count = 0;
        }
        if (k < n && normals[edge]) {
            if (count == 0) {
                first = edge;
            }
            ++count;
        }
    }
}

Contour cleaned(const QPolygonF &polygon, double scale)
{
    Contour contour;
    contour.reserve(static_cast<std::size_t>(polygon.size()));
    for (const QPointF &p : polygon) {
        const QPointF q(p.x() * scale, -p.y() * scale);
        if (contour.empty() || length(q - contour.back()) > kSamePoint) {
            contour.push_back(q);
        }
    }
    while (contour.size() > 1 && length(contour.front() - contour.back()) <= kSamePoint) {
        contour.pop_back();
    }
    return contour;
}

double emScale(const QFont &font)
{
    const double pixels = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF();
    return pixels > 0 ? 1.0 / pixels : 1.0;
}

} // namespace

bool insideContours(const std::vector<Contour> &contours, const QPointF &point)
{
    int winding = 0;
    for (const Contour &contour : contours) {
        winding += windingAround(contour, point);
    }
    return winding != 0;
}

std::vector<Contour> glyphContours(const QFont &font, char32_t character)
{
    QPainterPath path;
    path.addText(QPointF(0, 0), font, QString::fromUcs4(&character, 1));
    const double scale = emScale(font);
    std::vector<Contour> contours;
    for (const QPolygonF &polygon : path.toSubpathPolygons()) {
        Contour contour = cleaned(polygon, scale);
        if (contour.size() >= 3) {
            contours.push_back(std::move(contour));
        }
    }
    return contours;
}

GlyphMetrics glyphMetrics(const QFont &font, char32_t character,
                          const std::vector<Contour> &contours)
{
    GlyphMetrics metrics;
    // Advances are measured large: small sizes may round them to pixels.
    QFont large(font);
    large.setPixelSize(kMetricsPixels);
    metrics.cellIncX = static_cast<float>(
        QFontMetricsF(large).horizontalAdvance(QString::fromUcs4(&character, 1)) / kMetricsPixels);
    if (contours.empty() || contours.front().empty()) {
        return metrics;
    }
    double left = contours.front().front().x();
    double right = left;
    double bottom = contours.front().front().y();
    double top = bottom;
    for (const Contour &contour : contours) {
        for (const QPointF &p : contour) {
            left = std::min(left, p.x());
            right = std::max(right, p.x());
            bottom = std::min(bottom, p.y());
            top = std::max(top, p.y());
        }
    }
    metrics.blackBoxX = static_cast<float>(right - left);
    metrics.blackBoxY = static_cast<float>(top - bottom);
    metrics.originX = static_cast<float>(left);
    metrics.originY = static_cast<float>(top); // y up: the upper edge
    return metrics;
}

std::optional<GlyphSolid> extrudeContours(const std::vector<Contour> &contours, float depth)
{
    GlyphSolid solid;
    if (contours.empty()) {
        return solid;
    }
    auto front = tessellateFace(contours);
    if (!front) {
        return std::nullopt;
    }
    for (const MeshPrimitive &face : *front) {
        solid.push_back(face);
        MeshPrimitive back = face;
        for (MeshVertex &v : back.vertices) {
            v.z = -depth;
            v.nz = -1;
        }
        reverseWinding(back);
        solid.push_back(std::move(back));
    }
    for (const Contour &contour : contours) {
        addWalls(contours, contour, depth, solid);
    }
    return solid;
}

std::vector<MeshVertex> solidTriangles(const GlyphSolid &solid)
{
    std::vector<MeshVertex> out;
    for (const MeshPrimitive &p : solid) {
        const auto &v = p.vertices;
        switch (p.kind) {
        case MeshPrimitive::Kind::Triangles:
            out.insert(out.end(), v.begin(),
                       v.begin() + static_cast<std::ptrdiff_t>(v.size() / 3 * 3));
            break;
        case MeshPrimitive::Kind::Fan:
            for (std::size_t i = 1; i + 1 < v.size(); ++i) {
                out.insert(out.end(), {v[0], v[i], v[i + 1]});
            }
            break;
        case MeshPrimitive::Kind::Strip:
            for (std::size_t i = 0; i + 2 < v.size(); ++i) {
                const bool repeated =
                    (v[i].x == v[i + 1].x && v[i].y == v[i + 1].y && v[i].z == v[i + 1].z);
                if (repeated) { // the empty triangle that turns a strip around
                    continue;
                }
                if (i % 2 == 0) {
                    out.insert(out.end(), {v[i], v[i + 1], v[i + 2]});
                } else {
                    out.insert(out.end(), {v[i + 1], v[i], v[i + 2]});
                }
            }
            break;
        }
    }
    return out;
}

} // namespace melorit::lyrics
