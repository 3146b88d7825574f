#include "character/IndexedFileSource.h"

#include "fileindex/FileTypeRegistry.h"

namespace marquill::character {
namespace {

// Four characters (blank-padded) in the order the registry keeps codes; extensions use the
// three most significant bytes.
uint32_t packCode(std::string_view text, size_t width) {
    uint32_t code = 0;
    for (size_t i = 0; i < 4; ++i) {
        const char c = i < text.size() && i < width ? text[i] : (i < width ? ' ' : '\0');
        code = code << 8 | uint8_t(c);
    }
    return code;
}

}  // namespace

void IndexedFileSource::registerFileType(std::string_view type, std::string_view extension) {
    const uint32_t code = packCode(type, 4);
    (void)types_.registerType(code);
    (void)types_.addExtension(code, packCode(extension, 3));
}

render::FoundFile IndexedFileSource::find(std::string_view name, std::string_view searchPath,
                                          std::string_view type) {
    render::FoundFile found;
    fileindex::FileRequest request;
    request.mode = fileindex::OpenMode::ThroughIndex;
    const auto paths = fileindex::splitPathList(searchPath);
    if (types_.find(request, paths, packCode(type, 4), name, false) != fileindex::kFound ||
        !request.file)
        return found;
    auto bytes = request.file->readAll();
    if (!bytes) return found;
    found.status = render::FoundFile::Status::Found;
    found.bytes = std::move(*bytes);
    return found;
}

}  // namespace marquill::character
