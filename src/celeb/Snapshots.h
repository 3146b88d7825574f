#pragma once
// The save sequence's name for the snapshot stage; the interface itself sits below both the save
// sequence and the preview scene that implements it.
#include "image/SnapshotTaker.h"

namespace marquill::celeb {

using SnapshotTaker = image::SnapshotTaker;

}  // namespace marquill::celeb
