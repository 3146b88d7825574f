#include "content/DemoInstallation.h"

#include <filesystem>
#include <system_error>

#include "content/DemoCharacters.h"
#include "content/DemoGameData.h"

namespace marquill::content {

bool writeDemoInstallation(const std::string& dir, const DemoOptions& options, std::string* error) {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) {
        if (error) *error = "cannot create " + dir + ": " + ec.message();
        return false;
    }
    // Each part of the installation writes its own folders.
    if (!writeDemoCharacters(dir, options, error)) return false;
    if (!writeDemoGameData(dir, options, error)) return false;
    return true;
}

}  // namespace marquill::content
