#include "lyrics/GlyphFaces.h"

#include <GL/glu.h>

#include <algorithm>
#include <array>
#include <deque>

namespace melorit::lyrics {
namespace {

// What the GLU tessellator hands back, primitive by primitive.
struct Tessellation {
    std::deque<std::array<double, 3>> points; // stable addresses
    GlyphSolid primitives;
    bool failed = false;
};

void GLAPIENTRY onBegin(GLenum type, void *data)
{
    MeshPrimitive primitive;
    primitive.kind = type == GL_TRIANGLE_FAN     ? MeshPrimitive::Kind::Fan
                     : type == GL_TRIANGLE_STRIP ? MeshPrimitive::Kind::Strip
                                                 : MeshPrimitive::Kind::Triangles;
    static_cast<Tessellation *>(data)->primitives.push_back(std::move(primitive));
}

void GLAPIENTRY onVertex(void *vertex, void *data)
{
    auto *t = static_cast<Tessellation *>(data);
    const auto *p = static_cast<const double *>(vertex);
    if (t->primitives.empty()) {
        return;
    }
    t->primitives.back().vertices.push_back(
        MeshVertex{static_cast<float>(p[0]), static_cast<float>(p[1]), 0, 0, 0, 1});
}

void GLAPIENTRY onEnd(void *)
{
}

void GLAPIENTRY onCombine(GLdouble coords[3], void *[4], GLfloat[4], void **out, void *data)
{
    auto *t = static_cast<Tessellation *>(data);
    t->points.push_back({coords[0], coords[1], coords[2]});
    *out = t->points.back().data();
}

void GLAPIENTRY onError(GLenum, void *data)
{
    static_cast<Tessellation *>(data)->failed = true;
}

template <typename F> _GLUfuncptr callback(F *function)
{
    return reinterpret_cast<_GLUfuncptr>(function);
}

// Twice the area the primitive covers seen from +z, counter-clockwise positive.
double windingArea(const MeshPrimitive &primitive)
{
    double area = 0;
    const std::vector<MeshVertex> t = solidTriangles(GlyphSolid{primitive});
    for (std::size_t i = 0; i + 2 < t.size(); i += 3) {
        area += double(t[i + 1].x - t[i].x) * (t[i + 2].y - t[i].y) -
                double(t[i + 2].x - t[i].x) * (t[i + 1].y - t[i].y);
    }
    return area;
}

} // namespace

void reverseWinding(MeshPrimitive &primitive)
{
    auto &v = primitive.vertices;
    switch (primitive.kind) {
    case MeshPrimitive::Kind::Triangles:
        for (std::size_t i = 0; i + 2 < v.size(); i += 3) {
            std::swap(v[i + 1], v[i + 2]);
        }
        break;
    case MeshPrimitive::Kind::Fan:
        if (v.size() > 2) {
            std::reverse(v.begin() + 1, v.end());
        }
        break;
    case MeshPrimitive::Kind::Strip:
        // A repeated first vertex makes one empty triangle and turns the
        // parity of all the others.
        if (!v.empty()) {
            v.insert(v.begin(), v.front());
        }
        break;
    }
}

std::optional<GlyphSolid> tessellateFace(const std::vector<Contour> &contours)
{
    GLUtesselator *tess = gluNewTess();
    if (!tess) {
        return std::nullopt;
    }
    Tessellation t;
    gluTessProperty(tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_NONZERO);
    gluTessNormal(tess, 0, 0, 1);
    gluTessCallback(tess, GLU_TESS_BEGIN_DATA, callback(&onBegin));
    gluTessCallback(tess, GLU_TESS_VERTEX_DATA, callback(&onVertex));
    gluTessCallback(tess, GLU_TESS_END_DATA, callback(&onEnd));
    gluTessCallback(tess, GLU_TESS_COMBINE_DATA, callback(&onCombine));
    gluTessCallback(tess, GLU_TESS_ERROR_DATA, callback(&onError));
    gluTessBeginPolygon(tess, &t);
    for (const Contour &contour : contours) {
        gluTessBeginContour(tess);
        for (const QPointF &p : contour) {
            t.points.push_back({p.x(), p.y(), 0.0});
            gluTessVertex(tess, t.points.back().data(), t.points.back().data());
        }
        gluTessEndContour(tess);
    }
    gluTessEndPolygon(tess);
    gluDeleteTess(tess);
    if (t.failed) {
        return std::nullopt;
    }
    for (MeshPrimitive &primitive : t.primitives) {
        if (windingArea(primitive) < 0) {
            reverseWinding(primitive);
        }
    }
    return std::move(t.primitives);
}

} // namespace melorit::lyrics
