#include "content/CharacterFileWriter.h"

#include "content/FieldSink.h"

namespace marquill::content {

using character::FileFormat;

namespace {

int32_t count(size_t n) {
    return static_cast<int32_t>(n);
}

void writeBone(FieldSink& s, const character::Bone& b) {
    s.text(b.name);
    s.text(b.parentName.empty() ? "NULL" : b.parentName);  // a root's parent is no bone
    s.optionalProperties(b.properties);
    s.endLine();
    s.vector(b.translation);
    s.endLine();
    s.rotation(b.rotation);
    s.endLine();
    s.integer(b.translateFlag);
    s.integer(b.rotateFlag);
    s.integer(b.blendFlag);
    s.integer(b.wiggleAmount);
    s.real(b.wigglePower);
    s.endLine();
}

void writeTrack(FieldSink& s, const character::BoneTrack& t) {
    s.text(t.boneName);
    s.integer(t.frameCount);
    s.real(t.duration);
    s.integer(t.translationsUsed);
    s.integer(t.rotationsUsed);
    s.integer(t.translationOffset);
    s.integer(t.rotationOffset);
    s.endLine();
    s.optionalProperties(t.properties);
    s.integer(t.timeProperties.empty() ? 0 : 1);
    if (!t.timeProperties.empty()) {
        s.integer(count(t.timeProperties.size()));
        for (const auto& tp : t.timeProperties) {
            s.endLine();
            s.integer(tp.time);
            s.properties(tp.properties);
        }
    }
    s.endLine();
}

}  // namespace

bool writeCharacterFile(const character::CharacterFile& file, FileFormat format,
                        platform::ByteSink& out) {
    FieldSink s(out, format);
    s.line("version 300");
    s.line("0");
    s.integer(count(file.skeletons.size()));
    for (const auto& sk : file.skeletons) {
        s.text(sk.name);
        s.integer(count(sk.bones.size()));
        for (const auto& b : sk.bones)
            writeBone(s, b);
    }
    s.endLine();
    s.integer(count(file.outfits.size()));
    for (const auto& o : file.outfits) {
        s.text(o.name);
        s.integer(o.type);
        s.optionalProperties(o.properties);
        s.integer(count(o.parts.size()));
        for (const auto& p : o.parts) {
            s.text(p.boneName);
            s.text(p.meshName);
            s.integer(p.censorFlags);
            s.optionalProperties(p.properties);
        }
    }
    s.endLine();
    s.integer(count(file.animations.size()));
    for (const auto& a : file.animations) {
        s.text(a.name);
        s.text(a.keyframeStem);
        s.real(a.duration);
        s.real(a.distance);
        s.integer(a.moving);
        s.integer(a.translationCount);
        s.integer(a.rotationCount);
        s.integer(count(a.tracks.size()));
        for (const auto& t : a.tracks)
            writeTrack(s, t);
    }
    s.endLine();
    return s.ok();
}

bool writeMesh(const character::DeformableMesh& m, FileFormat format, platform::ByteSink& out) {
    FieldSink s(out, format);
    s.text(m.name);
    s.text(m.defaultTexture);
    s.integer(count(m.boneNames.size()));
    for (const auto& b : m.boneNames)
        s.text(b);
    s.integer(count(m.faces.size()));
    s.endLine();
    for (const auto& f : m.faces) {
        s.integer(f[0]);
        s.integer(f[1]);
        s.integer(f[2]);
        s.endLine();
    }
    s.integer(count(m.bindings.size()));
    s.endLine();
    for (const auto& b : m.bindings) {
        s.integer(b.boneIndex);
        s.integer(b.firstVertex);
        s.integer(b.vertexCount);
        s.integer(b.firstBlendedVertex);
        s.integer(b.blendedVertexCount);
        s.endLine();
    }
    s.integer(count(m.textureCoords.size()));
    s.endLine();
    for (const auto& uv : m.textureCoords) {
        s.real(uv[0]);
        s.real(uv[1]);
        s.endLine();
    }
    s.integer(count(m.blends.size()));
    s.endLine();
    for (const auto& p : m.blends) {
        if (format == FileFormat::Binary) {
            s.integer(p.weight);
            s.integer(p.target);
        } else {
            s.integer(p.target);
            s.integer(p.weight);
        }
        s.endLine();
    }
    s.integer(count(m.vertices.size()));
    s.endLine();
    for (const auto& v : m.vertices) {
        s.real(v.position.x);
        s.real(v.position.y);
        s.real(v.position.z);
        s.real(v.normal.x);
        s.real(v.normal.y);
        s.real(v.normal.z);
        s.endLine();
    }
    return s.ok();
}

bool writeIndexFile(const character::IndexFile& index, platform::ByteSink& out) {
    FieldSink s(out, FileFormat::Binary);
    for (const auto* section : {&index.skeletons, &index.outfits, &index.animations}) {
        s.integer(count(section->size()));
        for (const auto& [name, stem] : *section) {
            s.text(name, character::kIndexStringLimit);
            s.text(stem, character::kIndexStringLimit);
        }
    }
    return s.ok();
}

}  // namespace marquill::content
