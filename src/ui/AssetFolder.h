#pragma once
// The tool's pictures and sounds, found by name in its assets folder: "<NAME>.bmp" (or "<NAME>.png"
// for the icons, which need transparency) and "<NAME>.wav", names upper-case as the picture and
// sound tables spell them.
#include <QPixmap>
#include <QString>
#include <string>
#include <string_view>

namespace marquill::ui {

class AssetFolder {
  public:
    AssetFolder() = default;  // no assets: plain buttons and silence
    explicit AssetFolder(std::string folder) : folder_(std::move(folder)) {}

    // The "assets" folder beside the tool's data files (see platform/ToolFolders.h).
    [[nodiscard]] static AssetFolder forTool();

    [[nodiscard]] const std::string& folder() const { return folder_; }
    // Empty when the file is not there.
    [[nodiscard]] QString picturePath(std::string_view name) const;
    [[nodiscard]] QString soundPath(std::string_view name) const;
    [[nodiscard]] QString filePath(std::string_view fileName) const;
    // A null pixmap when missing or unreadable.
    [[nodiscard]] QPixmap picture(std::string_view name) const;

  private:
    std::string folder_;
};

}  // namespace marquill::ui
