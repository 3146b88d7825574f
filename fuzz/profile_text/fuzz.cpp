// Profile text that the profile writer reads before it rewrites a key.
#include <cstdint>
#include <string_view>

#include "platform/ProfileStrings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace marquill::platform;
    auto doc = ProfileDocument::parse(std::string_view(reinterpret_cast<const char*>(data), size));
    doc.set("Marquill", "Name", "x");
    (void)doc.get("marquill", "name");
    (void)doc.text();
    return 0;
}
