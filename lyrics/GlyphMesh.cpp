#include "lyrics/GlyphMesh.h"

#include <QFontMetricsF>
#include <QPainterPath>

#include <GL/glu.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <deque>

namespace melorit::lyrics {
namespace {

// Outline points closer than this (em) are one point.
constexpr double kSamePoint = 1e-6;
// How far beside an edge the filled side is probed (em).
constexpr double kProbe = 1e-3;

struct Vec3 {
    double x = 0;
    double y = 0;
    double z = 0;
};

Vec3 cross(const Vec3 &a, const Vec3 &b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Vec3 minus(const MeshVertex &a, const MeshVertex &b)
{
    return {double(a.x) - b.x, double(a.y) - b.y, double(a.z) - b.z};
}

// Appends a triangle, turning it so that it is counter-clockwise seen from
// the side its normal points to.
void addTriangle(std::vector<MeshVertex> &out, MeshVertex a, MeshVertex b, MeshVertex c,
                 const Vec3 &normal)
{
    for (MeshVertex *v : {&a, &b, &c}) {
        v->nx = static_cast<float>(normal.x);
        v->ny = static_cast<float>(normal.y);
        v->nz = static_cast<float>(normal.z);
    }
    const Vec3 n = cross(minus(b, a), minus(c, a));
    if (n.x * normal.x + n.y * normal.y + n.z * normal.z < 0)
        std::swap(b, c);
    out.push_back(a);
    out.push_back(b);
    out.push_back(c);
}

MeshVertex at(const QPointF &p, double z)
{
    return MeshVertex{static_cast<float>(p.x()), static_cast<float>(p.y()), static_cast<float>(z)};
}

// What the GLU tessellator hands back: triangles only (an edge-flag callback
// keeps it from making fans and strips).
struct Tessellation {
    std::deque<std::array<double, 3>> vertices; // stable addresses
    std::vector<const double *> corners;
    bool failed = false;
};

void GLAPIENTRY onBegin(GLenum, void *)
{
}
void GLAPIENTRY onEdgeFlag(GLboolean, void *)
{
}
void GLAPIENTRY onEnd(void *)
{
}

void GLAPIENTRY onVertex(void *vertex, void *data)
{
    static_cast<Tessellation *>(data)->corners.push_back(static_cast<const double *>(vertex));
}

void GLAPIENTRY onCombine(GLdouble coords[3], void *[4], GLfloat[4], void **out, void *data)
{
    auto *t = static_cast<Tessellation *>(data);
    t->vertices.push_back({coords[0], coords[1], coords[2]});
    *out = t->vertices.back().data();
}

void GLAPIENTRY onError(GLenum, void *data)
{
    static_cast<Tessellation *>(data)->failed = true;
}

template <typename F> _GLUfuncptr callback(F *function)
{
    return reinterpret_cast<_GLUfuncptr>(function);
}

bool tessellate(const std::vector<Contour> &contours, Tessellation &t)
{
    GLUtesselator *tess = gluNewTess();
    if (!tess)
        return false;
    gluTessProperty(tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_NONZERO);
    gluTessNormal(tess, 0, 0, 1);
    gluTessCallback(tess, GLU_TESS_BEGIN_DATA, callback(&onBegin));
    gluTessCallback(tess, GLU_TESS_EDGE_FLAG_DATA, callback(&onEdgeFlag));
    gluTessCallback(tess, GLU_TESS_VERTEX_DATA, callback(&onVertex));
    gluTessCallback(tess, GLU_TESS_END_DATA, callback(&onEnd));
    gluTessCallback(tess, GLU_TESS_COMBINE_DATA, callback(&onCombine));
    gluTessCallback(tess, GLU_TESS_ERROR_DATA, callback(&onError));
    gluTessBeginPolygon(tess, &t);
    for (const Contour &contour : contours) {
        gluTessBeginContour(tess);
        for (const QPointF &p : contour) {
            t.vertices.push_back({p.x(), p.y(), 0.0});
            gluTessVertex(tess, t.vertices.back().data(), t.vertices.back().data());
        }
        gluTessEndContour(tess);
    }
    gluTessEndPolygon(tess);
    gluDeleteTess(tess);
    return !t.failed && t.corners.size() % 3 == 0;
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
            if (b.y() > p.y() && side > 0)
                ++winding;
        } else if (b.y() <= p.y() && side < 0) {
            --winding;
        }
    }
    return winding;
}

// A wall along each edge that has the glyph on one side only, facing away
// from the glyph.
void addWalls(const std::vector<Contour> &contours, double depth, std::vector<MeshVertex> &out)
{
    for (const Contour &contour : contours) {
        const std::size_t n = contour.size();
        for (std::size_t i = 0; i < n; ++i) {
            const QPointF a = contour[i];
            const QPointF b = contour[(i + 1) % n];
            const QPointF d = b - a;
            const double length = std::hypot(d.x(), d.y());
            if (length < kSamePoint)
                continue;
            const QPointF left(-d.y() / length, d.x() / length);
            const QPointF middle = (a + b) / 2;
            const bool leftFilled = insideContours(contours, middle + left * kProbe);
            const bool rightFilled = insideContours(contours, middle - left * kProbe);
            if (leftFilled == rightFilled)
                continue;
            const QPointF outward = leftFilled ? -left : left;
            const Vec3 normal{outward.x(), outward.y(), 0};
            addTriangle(out, at(a, 0), at(b, 0), at(b, -depth), normal);
            addTriangle(out, at(a, 0), at(b, -depth), at(a, -depth), normal);
        }
    }
}

Contour cleaned(const QPolygonF &polygon, double scale)
{
    Contour contour;
    contour.reserve(static_cast<std::size_t>(polygon.size()));
    for (const QPointF &p : polygon) {
        const QPointF q(p.x() * scale, -p.y() * scale);
        if (contour.empty() ||
            std::hypot(q.x() - contour.back().x(), q.y() - contour.back().y()) > kSamePoint)
            contour.push_back(q);
    }
    while (contour.size() > 1 && std::hypot(contour.front().x() - contour.back().x(),
                                            contour.front().y() - contour.back().y()) <= kSamePoint)
        contour.pop_back();
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
    for (const Contour &contour : contours)
        winding += windingAround(contour, point);
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
        if (contour.size() >= 3)
            contours.push_back(std::move(contour));
    }
    return contours;
}

GlyphMetrics glyphMetrics(const QFont &font, char32_t character,
                          const std::vector<Contour> &contours)
{
    GlyphMetrics metrics;
    const double scale = emScale(font);
    metrics.cellIncX = static_cast<float>(
        QFontMetricsF(font).horizontalAdvance(QString::fromUcs4(&character, 1)) * scale);
    if (contours.empty())
        return metrics;
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

std::optional<std::vector<MeshVertex>> extrudeContours(const std::vector<Contour> &contours,
                                                       float depth)
{
    std::vector<MeshVertex> triangles;
    if (contours.empty())
        return triangles;
    Tessellation t;
    if (!tessellate(contours, t))
        return std::nullopt;
    for (std::size_t i = 0; i + 2 < t.corners.size(); i += 3) {
        const auto corner = [&](std::size_t k, double z) {
            return MeshVertex{static_cast<float>(t.corners[i + k][0]),
                              static_cast<float>(t.corners[i + k][1]), static_cast<float>(z)};
        };
        addTriangle(triangles, corner(0, 0), corner(1, 0), corner(2, 0), {0, 0, 1});
        addTriangle(triangles, corner(0, -depth), corner(1, -depth), corner(2, -depth), {0, 0, -1});
    }
    addWalls(contours, depth, triangles);
    return triangles;
}

} // namespace melorit::lyrics
