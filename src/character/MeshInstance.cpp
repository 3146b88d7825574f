#include "character/MeshInstance.h"

#include <cmath>
#include <utility>

#include "platform/soft3d/Device.h"
#include "render/RenderDIPMesh.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace marquill::character {

using platform::soft3d::Vertex;

MeshInstance::~MeshInstance() {
    if (renderMesh) renderMesh->release();
}

MeshInstance::MeshInstance(MeshInstance&& other) noexcept
    : mesh(std::move(other.mesh)),
      part(other.part),
      bone(other.bone),
      bones(std::move(other.bones)),
      renderMesh(std::exchange(other.renderMesh, nullptr)),
      texture(std::move(other.texture)),
      box(other.box),
      bindingBoxes(std::move(other.bindingBoxes)),
      bindingStamps(std::move(other.bindingStamps)),
      bindingBoxComputed(std::move(other.bindingBoxComputed)),
      boxRecomputations(other.boxRecomputations) {}

MeshInstance& MeshInstance::operator=(MeshInstance&& other) noexcept {
    if (this != &other) {
        if (renderMesh) renderMesh->release();
        mesh = std::move(other.mesh);
        part = other.part;
        bone = other.bone;
        bones = std::move(other.bones);
        renderMesh = std::exchange(other.renderMesh, nullptr);
        texture = std::move(other.texture);
        box = other.box;
        bindingBoxes = std::move(other.bindingBoxes);
        bindingStamps = std::move(other.bindingStamps);
        bindingBoxComputed = std::move(other.bindingBoxComputed);
        boxRecomputations = other.boxRecomputations;
    }
    return *this;
}

std::string textureFor(const std::string& meshName, const std::string& defaultTexture,
                       const std::string& overrideString) {
    const size_t eq = overrideString.find('=');
    if (eq == std::string::npos || eq + 1 == overrideString.size()) return defaultTexture;
    if (meshName.find(std::string_view(overrideString).substr(0, eq)) == std::string::npos)
        return defaultTexture;
    return overrideString.substr(eq + 1);
}

namespace {

bool within(int64_t first, int64_t count, int64_t limit) {
    return first >= 0 && count >= 0 && first + count <= limit;
}

// Every index the deformation follows must land inside the vertex array; meshes from the reader
// are already checked, others are not.
bool deformable(const DeformableMesh& m) {
    const int64_t total = static_cast<int64_t>(m.vertices.size());
    const int64_t n = static_cast<int64_t>(m.textureCoords.size());
    if (n > total || n + static_cast<int64_t>(m.blends.size()) > total) return false;
    if (m.boneIds.size() < m.boneNames.size()) return false;
    for (const auto& b : m.bindings) {
        if (b.boneIndex < 0 || static_cast<size_t>(b.boneIndex) >= m.boneNames.size()) return false;
        if (!within(b.firstVertex, b.vertexCount, n)) return false;
        if (b.firstBlendedVertex < 0 ||
            !within(n + b.firstBlendedVertex, b.blendedVertexCount, total))
            return false;
    }
    for (const auto& p : m.blends)
        if (p.target < 0 || p.target >= total) return false;
    return true;
}

// p x W + t for positions, n x W for normals: W is the transposed rotation, so its rows are the
// columns of R(S) and each output is a sum of three scaled rows.
#if defined(__SSE2__)
void transformRun(const MeshVertex* src, Vertex* dst, size_t count, const std::array<float, 9>& w,
                  const Vec3& t) {
    const __m128 r0 = _mm_setr_ps(w[0], w[1], w[2], 0);
    const __m128 r1 = _mm_setr_ps(w[3], w[4], w[5], 0);
    const __m128 r2 = _mm_setr_ps(w[6], w[7], w[8], 0);
    const __m128 move = _mm_setr_ps(t.x, t.y, t.z, 0);
    const __m128 lastLane = _mm_castsi128_ps(_mm_setr_epi32(0, 0, 0, -1));
    for (size_t i = 0; i < count; ++i) {
        const MeshVertex& s = src[i];
        float* d = &dst[i].x;
        const __m128 p =
            _mm_add_ps(_mm_add_ps(_mm_add_ps(_mm_mul_ps(r0, _mm_set1_ps(s.position.x)),
                                             _mm_mul_ps(r1, _mm_set1_ps(s.position.y))),
                                  _mm_mul_ps(r2, _mm_set1_ps(s.position.z))),
                       move);
        const __m128 n = _mm_add_ps(_mm_add_ps(_mm_mul_ps(r0, _mm_set1_ps(s.normal.x)),
                                               _mm_mul_ps(r1, _mm_set1_ps(s.normal.y))),
                                    _mm_mul_ps(r2, _mm_set1_ps(s.normal.z)));
        _mm_storeu_ps(d, p);  // its fourth lane lands on nx, written next
        // The normal's store covers u as well; keep u from the buffer.
        const __m128 kept = _mm_and_ps(lastLane, _mm_loadu_ps(d + 3));
        _mm_storeu_ps(d + 3, _mm_or_ps(_mm_andnot_ps(lastLane, n), kept));
    }
}
#else
void transformRun(const MeshVertex* src, Vertex* dst, size_t count, const std::array<float, 9>& w,
                  const Vec3& t) {
    for (size_t i = 0; i < count; ++i) {
        const Vec3& p = src[i].position;
        const Vec3& n = src[i].normal;
        Vertex& d = dst[i];
        d.x = w[0] * p.x + w[3] * p.y + w[6] * p.z + t.x;
        d.y = w[1] * p.x + w[4] * p.y + w[7] * p.z + t.y;
        d.z = w[2] * p.x + w[5] * p.y + w[8] * p.z + t.z;
        d.nx = w[0] * n.x + w[3] * n.y + w[6] * n.z;
        d.ny = w[1] * n.x + w[4] * n.y + w[7] * n.z;
        d.nz = w[2] * n.x + w[5] * n.y + w[8] * n.z;
    }
}
#endif

Vec3 movePoint(const Bone& bone, const Vec3& p) {
    const auto& w = bone.worldMatrix;
    return {w[0] * p.x + w[3] * p.y + w[6] * p.z + bone.worldPosition.x,
            w[1] * p.x + w[4] * p.y + w[7] * p.z + bone.worldPosition.y,
            w[2] * p.x + w[5] * p.y + w[8] * p.z + bone.worldPosition.z};
}

BoundingBox moveBox(const Bone& bone, const BoundingBox& rest) {
    BoundingBox out;
    if (!rest.valid()) return out;
    for (int i = 0; i < 8; ++i)
        out.add(
            movePoint(bone, {(i & 1) ? rest.max.x : rest.min.x, (i & 2) ? rest.max.y : rest.min.y,
                             (i & 4) ? rest.max.z : rest.min.z}));
    return out;
}

void include(BoundingBox& box, const BoundingBox& other) {
    if (!other.valid()) return;
    box.add(other.min);
    box.add(other.max);
}

void blend(const DeformableMesh& mesh, std::vector<Vertex>& out) {
    const size_t n = mesh.textureCoords.size();
    for (size_t i = 0; i < mesh.blends.size(); ++i) {
        const int32_t w = mesh.blends[i].weight;
        if (w <= 0) continue;
        const Vertex& s = out[n + i];
        Vertex& t = out[static_cast<size_t>(mesh.blends[i].target)];
        if (w > 32767) {
            t.x = s.x, t.y = s.y, t.z = s.z;
            t.nx = s.nx, t.ny = s.ny, t.nz = s.nz;
            continue;
        }
        const float a = static_cast<float>(32768 - w);
        const float b = static_cast<float>(w);
        auto mix = [&](float target, float source) { return (target * a + source * b) / 32768.0f; };
        t.x = mix(t.x, s.x), t.y = mix(t.y, s.y), t.z = mix(t.z, s.z);
        t.nx = mix(t.nx, s.nx), t.ny = mix(t.ny, s.ny), t.nz = mix(t.nz, s.nz);
        const float length = std::sqrt(t.nx * t.nx + t.ny * t.ny + t.nz * t.nz);
        if (length > 0) t.nx /= length, t.ny /= length, t.nz /= length;
    }
}

}  // namespace

std::unique_ptr<MeshInstance> createMeshInstance(render::Device3D& device,
                                                 std::shared_ptr<DeformableMesh> mesh,
                                                 const SkinPart& part, int bone,
                                                 const Skeleton& skeleton,
                                                 const std::string& overrideString) {
    if (!mesh || mesh->vertices.size() > DeformableMesh::kMaxVertices || !deformable(*mesh))
        return nullptr;
    auto instance = std::make_unique<MeshInstance>();
    for (size_t i = 0; i < mesh->boneNames.size(); ++i) {
        const int b = skeleton.findBone(mesh->boneIds[i]);
        if (b < 0) return nullptr;
        instance->bones.push_back(b);
    }
    instance->texture = textureFor(part.meshName, mesh->defaultTexture, overrideString);
    instance->part = &part;
    instance->bone = bone;

    const size_t n = mesh->textureCoords.size();
    render::RenderDIPMesh* rm = render::RenderDIPMesh::create(device);
    instance->renderMesh = rm;
    rm->reserveVertices(mesh->vertices.size());
    auto& out = rm->vertices();
    for (size_t v = 0; v < mesh->vertices.size(); ++v) {
        const MeshVertex& s = mesh->vertices[v];
        const auto uv = v < n ? mesh->textureCoords[v] : std::array<float, 2>{0, 0};
        out[v] = {s.position.x, s.position.y, s.position.z, s.normal.x,
                  s.normal.y,   s.normal.z,   uv[0],        uv[1]};
    }
    // Only the textured vertices are drawn; a face reaching past them would make the device
    // refuse the whole batch, and with it the rest of the person.
    auto& indices = rm->indices(0);
    indices.reserve(mesh->faces.size() * 3);
    for (const auto& face : mesh->faces) {
        bool drawn = true;
        for (int32_t v : face)
            drawn = drawn && v >= 0 && static_cast<size_t>(v) < n;
        if (!drawn) continue;
        for (int32_t v : face)
            indices.push_back(static_cast<uint16_t>(v & 0xFFFF));
    }
    rm->setVertexRange(0, 0, n > 0 ? static_cast<uint32_t>(n - 1) : 0);
    rm->addTextureName(instance->texture);
    // A texture that cannot be had falls back to a colour inside; the mesh is drawn either way.
    (void)rm->bindMaterials();

    instance->bindingBoxes.resize(mesh->bindings.size());
    instance->bindingStamps.resize(mesh->bindings.size());
    instance->bindingBoxComputed.assign(mesh->bindings.size(), false);
    instance->mesh = std::move(mesh);
    return instance;
}

void deform(MeshInstance& instance, const Skeleton& skeleton) {
    if (!instance.mesh || !instance.renderMesh) return;
    const DeformableMesh& mesh = *instance.mesh;
    std::vector<Vertex>& out = instance.renderMesh->vertices();
    if (out.size() != mesh.vertices.size()) return;
    const size_t n = mesh.textureCoords.size();
    instance.box = BoundingBox{};
    for (size_t i = 0; i < mesh.bindings.size(); ++i) {
        const MeshBinding& b = mesh.bindings[i];
        const size_t boneIndex =
            static_cast<size_t>(instance.bones[static_cast<size_t>(b.boneIndex)]);
        if (boneIndex >= skeleton.bones.size()) continue;
        const Bone& bone = skeleton.bones[boneIndex];
        const size_t first = static_cast<size_t>(b.firstVertex);
        transformRun(mesh.vertices.data() + first, out.data() + first,
                     static_cast<size_t>(b.vertexCount), bone.worldMatrix, bone.worldPosition);
        const size_t blended = n + static_cast<size_t>(b.firstBlendedVertex);
        transformRun(mesh.vertices.data() + blended, out.data() + blended,
                     static_cast<size_t>(b.blendedVertexCount), bone.worldMatrix,
                     bone.worldPosition);
        if (!instance.bindingBoxComputed[i] || instance.bindingStamps[i] != bone.changeCount) {
            instance.bindingBoxes[i] = moveBox(bone, b.box);
            instance.bindingStamps[i] = bone.changeCount;
            instance.bindingBoxComputed[i] = true;
            ++instance.boxRecomputations;
        }
        include(instance.box, instance.bindingBoxes[i]);
    }
    blend(mesh, out);
}

}  // namespace marquill::character
