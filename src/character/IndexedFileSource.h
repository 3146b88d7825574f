#pragma once
// The renderer finds texture files through the folder index and the file-type registry, so a
// texture inside an expansion archive loads as a loose one does.
#include "render/FileSource.h"

namespace marquill::fileindex {
class FileTypeRegistry;
}

namespace marquill::character {

class IndexedFileSource final : public render::FileSource {
  public:
    explicit IndexedFileSource(fileindex::FileTypeRegistry& types) : types_(types) {}

    void registerFileType(std::string_view type, std::string_view extension) override;
    [[nodiscard]] render::FoundFile find(std::string_view name, std::string_view searchPath,
                                         std::string_view type) override;

  private:
    fileindex::FileTypeRegistry& types_;
};

}  // namespace marquill::character
