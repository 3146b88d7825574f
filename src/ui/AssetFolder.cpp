#include "ui/AssetFolder.h"

#include <QFileInfo>

#include "platform/AsciiCase.h"
#include "platform/ToolFolders.h"

namespace marquill::ui {

AssetFolder AssetFolder::forTool() {
    // Found by a file inside it: started from a source checkout, the current folder holds an
    // "assets" folder too, with the generators and no pictures.
    const std::string marker = platform::findToolDataFile("assets/NEXTU.bmp");
    return AssetFolder(marker.substr(0, marker.rfind('/')));
}

QString AssetFolder::filePath(std::string_view fileName) const {
    if (folder_.empty()) return {};
    const QString path = QString::fromStdString(folder_ + "/" + std::string(fileName));
    return QFileInfo(path).isFile() ? path : QString();
}

QString AssetFolder::picturePath(std::string_view name) const {
    const std::string upper = platform::toUpperAscii(name);
    const QString bitmap = filePath(upper + ".bmp");
    return bitmap.isEmpty() ? filePath(upper + ".png") : bitmap;
}

QString AssetFolder::soundPath(std::string_view name) const {
    return filePath(platform::toUpperAscii(name) + ".wav");
}

QPixmap AssetFolder::picture(std::string_view name) const {
    const QString path = picturePath(name);
    return path.isEmpty() ? QPixmap() : QPixmap(path);
}

}  // namespace marquill::ui
