#include "character/MeshReader.h"

#include <algorithm>

#include "character/CharacterFileReader.h"

namespace marquill::character {
namespace {

// A count of items of at least `minBytes` each that cannot fit in what remains is malformed.
std::optional<int32_t> count(FieldSource& in, size_t minBytes) {
    auto n = in.integer();
    if (!n || *n < 0 || static_cast<uint64_t>(*n) * minBytes > in.remaining()) return std::nullopt;
    return n;
}

bool readBody(FieldSource& in, BoneNameTable& boneNames, DeformableMesh& m) {
    auto name = in.text(kStringLimit);
    auto texture = name ? in.text(kStringLimit) : std::nullopt;
    if (!texture) return false;
    m.name = std::move(*name);
    m.defaultTexture = std::move(*texture);

    auto bones = count(in, 1);
    if (!bones) return false;
    for (int32_t i = 0; i < *bones; ++i) {
        auto bone = in.text(kStringLimit);
        if (!bone) return false;
        if (std::find(m.boneNames.begin(), m.boneNames.end(), *bone) != m.boneNames.end()) continue;
        m.boneIds.push_back(boneNames.intern(*bone));
        m.boneNames.push_back(std::move(*bone));
    }

    auto faces = count(in, 2 * 3);
    if (!faces) return false;
    m.faces.resize(static_cast<size_t>(*faces));
    for (auto& f : m.faces) {
        for (auto& v : f) {
            auto index = in.integer();
            if (!index) return false;
            v = *index;
        }
    }

    auto bindings = count(in, 2 * 5);
    if (!bindings) return false;
    m.bindings.resize(static_cast<size_t>(*bindings));
    for (auto& b : m.bindings) {
        int32_t* fields[] = {&b.boneIndex, &b.firstVertex, &b.vertexCount, &b.firstBlendedVertex,
                             &b.blendedVertexCount};
        for (int32_t* f : fields) {
            auto v = in.integer();
            if (!v) return false;
            *f = *v;
        }
    }

    auto uvs = count(in, 2 * 2);
    if (!uvs) return false;
    m.textureCoords.resize(static_cast<size_t>(*uvs));
    for (auto& uv : m.textureCoords) {
        auto u = in.real();
        auto v = u ? in.real() : std::nullopt;
        if (!v) return false;
        uv = {*u, *v};
    }

    auto blends = count(in, 2 * 2);
    if (!blends) return false;
    m.blends.resize(static_cast<size_t>(*blends));
    for (auto& p : m.blends) {
        auto a = in.integer();
        auto b = a ? in.integer() : std::nullopt;
        if (!b) return false;
        if (in.format() == FileFormat::Binary)
            p = {*a, *b};
        else
            p = {*b, *a};
    }

    auto vertices = count(in, 6 * 2);
    if (!vertices || static_cast<size_t>(*vertices) > DeformableMesh::kMaxVertices) return false;
    m.vertices.resize(static_cast<size_t>(*vertices));
    for (auto& v : m.vertices) {
        auto px = in.real();
        auto py = px ? in.real() : std::nullopt;
        auto pz = py ? in.real() : std::nullopt;
        auto nx = pz ? in.real() : std::nullopt;
        auto ny = nx ? in.real() : std::nullopt;
        auto nz = ny ? in.real() : std::nullopt;
        if (!nz) return false;
        v = {{*px, *py, *pz}, {*nx, *ny, *nz}};
    }
    return true;
}

bool range(int64_t first, int64_t count, int64_t limit) {
    return first >= 0 && count >= 0 && first + count <= limit;
}

}  // namespace

bool meshIndicesConsistent(const DeformableMesh& m) {
    const int64_t total = static_cast<int64_t>(m.vertices.size());
    const int64_t n = static_cast<int64_t>(m.textureCoords.size());
    if (n > total || n + static_cast<int64_t>(m.blends.size()) > total) return false;
    for (const auto& f : m.faces)
        for (int32_t v : f)
            if (v < 0 || v >= total) return false;
    for (const auto& b : m.bindings) {
        if (b.boneIndex < 0 || static_cast<size_t>(b.boneIndex) >= m.boneNames.size()) return false;
        if (!range(b.firstVertex, b.vertexCount, n)) return false;
        if (!range(n + int64_t{b.firstBlendedVertex}, b.blendedVertexCount, total)) return false;
        if (b.firstBlendedVertex < 0) return false;
    }
    for (const auto& p : m.blends)
        if (p.target < 0 || p.target >= total) return false;
    return m.boneIds.size() == m.boneNames.size();
}

namespace {

void computeBoxes(DeformableMesh& m) {
    const size_t n = m.textureCoords.size();
    for (auto& b : m.bindings) {
        for (int32_t i = 0; i < b.vertexCount; ++i)
            b.box.add(m.vertices[static_cast<size_t>(b.firstVertex + i)].position);
        for (int32_t i = 0; i < b.blendedVertexCount; ++i)
            b.box.add(m.vertices[n + static_cast<size_t>(b.firstBlendedVertex + i)].position);
    }
    for (const auto& v : m.vertices)
        m.box.add(v.position);
}

}  // namespace

std::optional<DeformableMesh> readMesh(std::span<const uint8_t> bytes, FileFormat format,
                                       BoneNameTable& boneNames) {
    TextFieldSource text(bytes);
    BinaryFieldSource binary(bytes);
    FieldSource& in = format == FileFormat::Text ? static_cast<FieldSource&>(text) : binary;
    DeformableMesh m;
    if (!readBody(in, boneNames, m) || !meshIndicesConsistent(m)) return std::nullopt;
    computeBoxes(m);
    return m;
}

}  // namespace marquill::character
