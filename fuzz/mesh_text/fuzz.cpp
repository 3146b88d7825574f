// Mesh files in text form.
#include "../MeshFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return fuzzMesh(data, size, marquill::character::FileFormat::Text);
}
