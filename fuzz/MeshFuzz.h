#pragma once
// Shared by the text and binary mesh targets: a mesh that reads must have every index inside its
// arrays, so touching everything the deformation will touch must stay in bounds (.at() aborts
// on a stray index).
#include <cstddef>
#include <cstdint>

#include "character/MeshReader.h"

inline int fuzzMesh(const uint8_t* data, size_t size, marquill::character::FileFormat format) {
    marquill::character::BoneNameTable names;
    auto mesh = marquill::character::readMesh({data, size}, format, names);
    if (!mesh) return 0;
    const size_t n = mesh->textureCoords.size();
    float sum = 0;
    for (const auto& b : mesh->bindings) {
        for (int i = 0; i < b.vertexCount; ++i)
            sum += mesh->vertices.at(static_cast<size_t>(b.firstVertex + i)).position.x;
        for (int i = 0; i < b.blendedVertexCount; ++i)
            sum += mesh->vertices.at(n + static_cast<size_t>(b.firstBlendedVertex + i)).position.x;
        (void)mesh->boneNames.at(static_cast<size_t>(b.boneIndex));
    }
    for (size_t i = 0; i < mesh->blends.size(); ++i)
        sum += mesh->vertices.at(static_cast<size_t>(mesh->blends[i].target)).position.y +
               mesh->vertices.at(n + i).position.y;
    for (const auto& f : mesh->faces)
        for (int v : f)
            sum += mesh->vertices.at(static_cast<size_t>(v)).normal.z;
    return sum == 12345.678f ? 1 : 0;
}
