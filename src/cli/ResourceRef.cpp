#include "cli/ResourceRef.h"

#include <cerrno>
#include <cstdlib>

namespace marquill::cli {

std::optional<ResourceRef> ParseResourceRef(const std::string& text, bool allowName) {
    // The type may itself hold a ':', so it is cut by its own form, not at the first ':'.
    size_t typeEnd;
    if (text.rfind("0x", 0) == 0 || text.rfind("0X", 0) == 0) {
        typeEnd = text.find(':');
    } else {
        typeEnd = text.size() > 4 && text[4] == ':' ? 4 : std::string::npos;
    }
    if (typeEnd == std::string::npos) return std::nullopt;
    auto type = resfile::ParseResType(std::string_view(text).substr(0, typeEnd));
    if (!type) return std::nullopt;

    const std::string rest = text.substr(typeEnd + 1);
    const size_t colon = rest.find(':');
    const std::string idText = rest.substr(0, colon);
    if (idText.empty()) return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const long id = std::strtol(idText.c_str(), &end, 10);
    if (*end != '\0' || errno != 0 || id < INT16_MIN || id > INT16_MAX) return std::nullopt;

    ResourceRef ref;
    ref.type = *type;
    ref.id = static_cast<int16_t>(id);
    if (colon != std::string::npos) {
        if (!allowName) return std::nullopt;
        ref.name = rest.substr(colon + 1);
        if (ref.name->size() > resfile::kMaxResNameLength) return std::nullopt;
    }
    return ref;
}

}  // namespace marquill::cli
