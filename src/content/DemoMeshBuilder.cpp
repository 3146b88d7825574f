#include "content/DemoMeshBuilder.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "content/DemoSkeleton.h"

namespace marquill::content::demo {
namespace {

// Keeps a row half a texel or so inside its rectangle, so the edge rows never sample the
// neighbouring surface.
float rowOf(const UvRect& uv, float t) {
    return uv.v0 + (uv.v1 - uv.v0) * (0.01f + 0.98f * t);
}

}  // namespace

int MeshBuilder::boneIndex(const std::string& name) {
    auto it = std::find(bones_.begin(), bones_.end(), name);
    if (it != bones_.end()) return static_cast<int>(it - bones_.begin());
    bones_.push_back(name);
    return static_cast<int>(bones_.size() - 1);
}

int MeshBuilder::vertex(Vec3 position, Vec3 outward, float u, float v, const std::string& bone) {
    vertices_.push_back({position, normalised(outward), u, v, boneIndex(bone)});
    return static_cast<int>(vertices_.size() - 1);
}

void MeshBuilder::blend(int target, const std::string& bone, int weight) {
    if (weight <= 0 || bone.empty()) return;
    blends_.push_back({target, boneIndex(bone), weight});
}

void MeshBuilder::triangle(int a, int b, int c) {
    triangleFacing(a, b, c,
                   vertices_[static_cast<size_t>(a)].outward +
                       vertices_[static_cast<size_t>(b)].outward +
                       vertices_[static_cast<size_t>(c)].outward);
}

void MeshBuilder::triangleFacing(int a, int b, int c, Vec3 facing) {
    const Vec3& A = vertices_[static_cast<size_t>(a)].position;
    Vec3 n = cross(vertices_[static_cast<size_t>(b)].position - A,
                   vertices_[static_cast<size_t>(c)].position - A);
    if (dot(n, n) < 1e-14f) return;  // degenerate (a ring closed to a point)
    if (dot(n, facing) < 0) std::swap(b, c);
    faces_.push_back({a, b, c});
}

void MeshBuilder::tube(const std::vector<Ring>& rings, int sides, UvRect uv, bool capStart,
                       bool capEnd, const RingDeform& deform) {
    std::vector<int> first;
    for (size_t r = 0; r < rings.size(); ++r) {
        const Ring& ring = rings[r];
        first.push_back(static_cast<int>(vertices_.size()));
        for (int i = 0; i <= sides; ++i) {
            const float s = static_cast<float>(i) / static_cast<float>(sides);
            const float angle = (s - 0.5f) * 2 * kPi;
            const float sn = std::sin(angle), cs = std::cos(angle);
            Vec3 p = ring.centre + ring.e1 * (ring.r1 * sn) + ring.e2 * (ring.r2 * cs);
            Vec3 out = normalised(ring.e1 * (sn / ring.r1) + ring.e2 * (cs / ring.r2));
            if (deform) p = deform(p, out, angle, r);
            int v = vertex(p, out, uv.u0 + (uv.u1 - uv.u0) * s, rowOf(uv, ring.t), ring.bone);
            blend(v, ring.blendBone, ring.blendWeight);
        }
    }
    for (size_t r = 0; r + 1 < rings.size(); ++r) {
        for (int i = 0; i < sides; ++i) {
            int a = first[r] + i, b = first[r] + i + 1;
            int c = first[r + 1] + i, d = first[r + 1] + i + 1;
            triangle(a, b, d);
            triangle(a, d, c);
        }
    }
    auto cap = [&](size_t r, float direction) {
        const Ring& ring = rings[r];
        Vec3 axis = r + 1 < rings.size() ? rings[r + 1].centre - ring.centre
                                         : ring.centre - rings[r - 1].centre;
        Vec3 out = normalised(axis) * direction;
        int centre = vertex(ring.centre, out, (uv.u0 + uv.u1) / 2, rowOf(uv, ring.t), ring.bone);
        blend(centre, ring.blendBone, ring.blendWeight);
        for (int i = 0; i < sides; ++i)
            triangleFacing(centre, first[r] + i, first[r] + i + 1, out);
    };
    if (capStart && rings.size() > 1) cap(0, -1);
    if (capEnd && rings.size() > 1) cap(rings.size() - 1, 1);
}

character::DeformableMesh MeshBuilder::finish(const std::string& name,
                                              const std::string& texture) const {
    // Smooth normals from the faces, shared by vertices at one position (the texture seams).
    std::vector<Vec3> normals(vertices_.size(), Vec3{0, 0, 0});
    for (const auto& f : faces_) {
        const Vec3& a = vertices_[static_cast<size_t>(f[0])].position;
        Vec3 n = cross(vertices_[static_cast<size_t>(f[1])].position - a,
                       vertices_[static_cast<size_t>(f[2])].position - a);
        for (int i : f)
            normals[static_cast<size_t>(i)] = normals[static_cast<size_t>(i)] + n;
    }
    std::map<std::tuple<long, long, long>, Vec3> shared;
    auto key = [](Vec3 p) {
        return std::make_tuple(std::lround(p.x * 1e4f), std::lround(p.y * 1e4f),
                               std::lround(p.z * 1e4f));
    };
    for (size_t i = 0; i < vertices_.size(); ++i) {
        auto& s = shared[key(vertices_[i].position)];
        s = s + normals[i];
    }
    for (size_t i = 0; i < vertices_.size(); ++i) {
        Vec3 n = shared[key(vertices_[i].position)];
        normals[i] = dot(n, n) > 1e-20f ? normalised(n) : vertices_[i].outward;
    }

    const auto& rest = restPositions();
    character::DeformableMesh m;
    m.name = name;
    m.defaultTexture = texture;
    m.boneNames = bones_;
    const int boneCount = static_cast<int>(bones_.size());

    // Vertices grouped by bone, so that each binding is one run.
    std::vector<int> newIndex(vertices_.size());
    std::vector<int> order;
    for (int b = 0; b < boneCount; ++b)
        for (size_t i = 0; i < vertices_.size(); ++i)
            if (vertices_[i].bone == b) order.push_back(static_cast<int>(i));
    for (size_t n = 0; n < order.size(); ++n)
        newIndex[static_cast<size_t>(order[n])] = static_cast<int>(n);
    std::vector<int> blendOrder;
    for (int b = 0; b < boneCount; ++b)
        for (size_t i = 0; i < blends_.size(); ++i)
            if (blends_[i].bone == b) blendOrder.push_back(static_cast<int>(i));

    for (int old : order) {
        const auto& v = vertices_[static_cast<size_t>(old)];
        Vec3 origin = rest.at(bones_[static_cast<size_t>(v.bone)]);
        m.vertices.push_back({v.position - origin, normals[static_cast<size_t>(old)]});
        m.textureCoords.push_back({v.u, v.v});
    }
    for (int bi : blendOrder) {
        const auto& b = blends_[static_cast<size_t>(bi)];
        const auto& target = vertices_[static_cast<size_t>(b.target)];
        Vec3 origin = rest.at(bones_[static_cast<size_t>(b.bone)]);
        m.vertices.push_back({target.position - origin, normals[static_cast<size_t>(b.target)]});
        m.blends.push_back({b.weight, newIndex[static_cast<size_t>(b.target)]});
    }
    int vertexStart = 0, blendStart = 0;
    for (int b = 0; b < boneCount; ++b) {
        int count = 0, blended = 0;
        for (const auto& v : vertices_)
            count += v.bone == b;
        for (const auto& bl : blends_)
            blended += bl.bone == b;
        if (count || blended)
            m.bindings.push_back({b, vertexStart, count, blendStart, blended, {}});
        vertexStart += count;
        blendStart += blended;
    }
    for (const auto& f : faces_)
        m.faces.push_back({newIndex[static_cast<size_t>(f[0])], newIndex[static_cast<size_t>(f[1])],
                           newIndex[static_cast<size_t>(f[2])]});
    return m;
}

}  // namespace marquill::content::demo
