#pragma once
// Skeletons and animations built in code for the playback tests: the keyframes of frame i are
// the translation (i, 0, 0) and a turn of i tenths of a radian about z, so a sample tells which
// frames were mixed and how.
#include <cmath>
#include <string>
#include <vector>

#include "character/CharacterRecords.h"

namespace marquill::character::testing {

inline Quat turnAboutZ(float radians) {
    return {0, 0, std::sin(radians / 2), std::cos(radians / 2)};
}

// A root "PELVIS" (name id 0) with a child "HEAD" (name id 1).
inline Skeleton twoBoneSkeleton() {
    Skeleton s;
    s.name = "adult";
    Bone pelvis;
    pelvis.name = "PELVIS";
    pelvis.nameId = 0;
    pelvis.firstChild = 1;
    Bone head;
    head.name = "HEAD";
    head.nameId = 1;
    head.parentName = "PELVIS";
    head.parent = 0;
    s.bones = {pelvis, head};
    s.root = 0;
    return s;
}

// One track per given bone id, each with `frames` frames over `duration` milliseconds.
inline Animation rampAnimation(const std::string& name, int frames, float duration,
                               const std::vector<int>& boneIds = {0}) {
    Animation a;
    a.name = name;
    a.keyframeStem = name;
    a.duration = duration;
    for (size_t t = 0; t < boneIds.size(); ++t) {
        BoneTrack track;
        track.boneName = boneIds[t] == 0 ? "PELVIS" : "HEAD";
        track.boneId = boneIds[t];
        track.frameCount = frames;
        track.duration = duration;
        track.translationsUsed = 1;
        track.rotationsUsed = 1;
        track.translationOffset = static_cast<int32_t>(t) * frames;
        track.rotationOffset = static_cast<int32_t>(t) * frames;
        a.tracks.push_back(track);
        for (int i = 0; i < frames; ++i) {
            a.translations.insert(a.translations.end(), {static_cast<float>(i), 0, 0});
            const Quat q = turnAboutZ(0.1f * static_cast<float>(i));
            a.rotations.insert(a.rotations.end(), {q.x, q.y, q.z, q.w});
        }
    }
    a.translationCount = static_cast<int32_t>(a.translations.size() / 3);
    a.rotationCount = static_cast<int32_t>(a.rotations.size() / 4);
    a.keyframesLoaded = true;
    return a;
}

inline void addEvent(Animation& a, size_t track, int32_t time, const std::string& sound) {
    TimeProperty p;
    p.time = time;
    p.properties.set("sound", sound);
    a.tracks[track].timeProperties.push_back(p);
}

}  // namespace marquill::character::testing
