#include "fileindex/FileTypeRegistry.h"

#include <algorithm>
#include <cctype>

#include "fileindex/FolderIndex.h"
#include "fileindex/PathKey.h"
#include "platform/Directory.h"

namespace marquill::fileindex {
namespace {

std::string withSeparator(const std::string& folder) {
    if (folder.empty() || folder.back() == '\\' || folder.back() == '/') return folder;
    return folder + "\\";
}

// "_N_" + name + suffix, N decimal digits; the number, or none when the name does not match.
std::optional<int> numberedMatch(std::string_view file, std::string_view name,
                                 std::string_view suffix) {
    if (file.size() < 3 + name.size() + suffix.size() || file[0] != '_') return std::nullopt;
    size_t second = file.find('_', 1);
    if (second == std::string_view::npos || second == 1) return std::nullopt;
    std::string_view digits = file.substr(1, second - 1);
    if (digits.size() > 9) return std::nullopt;
    for (char c : digits)
        if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
    if (!equalsIgnoringCase(file.substr(second + 1), std::string(name) + std::string(suffix)))
        return std::nullopt;
    return std::stoi(std::string(digits));
}

}  // namespace

std::string extensionSuffix(uint32_t extension) {
    if (extension == kAnyExtension) return ".*";
    std::string s = ".";
    for (int shift = 24; shift >= 8; shift -= 8)
        s += static_cast<char>((extension >> shift) & 0xFF);
    return s;
}

std::vector<std::string> splitPathList(std::string_view list) {
    std::vector<std::string> out;
    size_t pos = 0;
    while (pos <= list.size()) {
        size_t semi = list.find(';', pos);
        if (semi == std::string_view::npos) semi = list.size();
        if (semi > pos) out.emplace_back(list.substr(pos, semi - pos));
        pos = semi + 1;
    }
    return out;
}

int FileTypeRegistry::registerType(uint32_t type) {
    return types_.try_emplace(type).second ? kRegistered : kAlreadyRegistered;
}

int FileTypeRegistry::addExtension(uint32_t type, uint32_t extension) {
    auto it = types_.find(type);
    if (it == types_.end()) return kTypeNotRegistered;
    auto& list = it->second;
    if (std::find(list.begin(), list.end(), extension) != list.end()) return kExtensionListed;
    list.push_back(extension);
    return kRegistered;
}

const std::vector<uint32_t>* FileTypeRegistry::extensions(uint32_t type) const {
    auto it = types_.find(type);
    return it == types_.end() ? nullptr : &it->second;
}

int FileTypeRegistry::enumerate(FileRequest& request, const std::vector<std::string>& pathList,
                                uint32_t code, const Callback& callback) const {
    std::vector<uint32_t> exts{code};
    if (const auto* registered = extensions(code)) exts = *registered;
    request.pathList = pathList;
    for (uint32_t ext : exts) {
        const std::string suffix = extensionSuffix(ext);
        for (const std::string& folder : pathList) {
            const FolderTable* table = index_.folder(folder);
            if (!table) continue;
            for (const auto& [name, entry] : table->files) {
                if (entry.isFolder) continue;
                if (ext != kAnyExtension && !endsWithIgnoringCase(name, suffix)) continue;
                request.matched = ext;
                request.folder = withSeparator(folder);
                request.fileName = name;
                size_t dot = name.rfind('.');
                request.name = ext == kAnyExtension && dot != std::string::npos
                                   ? name.substr(0, dot)
                                   : name.substr(0, name.size() - suffix.size());
                request.size = entry.inArchive ? entry.size : 0;
                request.number.reset();
                int r = callback(request);
                if (r != 0 && r != 3) return r;
            }
        }
    }
    return 0;
}

std::unique_ptr<FileReader> FileTypeRegistry::openIn(OpenMode mode, const std::string& path) const {
    if (mode == OpenMode::ThroughIndex) return index_.open(path, OpenFor::Reading);
    // A plain stream sees loose files only, never archive entries.
    auto disk = index_.resolveOnDisk(path);
    if (!disk) return nullptr;
    return index_.openLoose(*disk, path, OpenFor::Reading);
}

int FileTypeRegistry::find(FileRequest& request, const std::vector<std::string>& pathList,
                           uint32_t code, std::string_view name, bool tryNumberedNames) const {
    request.pathList = pathList;
    if (const auto* registered = extensions(code)) {
        for (uint32_t ext : *registered)
            if (findWithExtension(request, pathList, ext, name, true) == kFound) return kFound;
        return kNotFound;
    }
    return findWithExtension(request, pathList, code, name, tryNumberedNames);
}

int FileTypeRegistry::findWithExtension(FileRequest& request,
                                        const std::vector<std::string>& pathList,
                                        uint32_t extension, std::string_view name,
                                        bool tryNumberedNames) const {
    const std::string suffix = extensionSuffix(extension);
    auto fill = [&](const std::string& folder, std::string fileName,
                    std::unique_ptr<FileReader> file) {
        request.matched = extension;
        request.folder = folder;
        request.name = std::string(name);
        request.fileName = std::move(fileName);
        request.size = file->size();
        request.file = std::move(file);
        return kFound;
    };
    for (const std::string& f : pathList) {
        std::string folder = withSeparator(f);
        std::string fileName = std::string(name) + suffix;
        if (auto file = openIn(request.mode, folder + fileName))
            return fill(folder, std::move(fileName), std::move(file));
    }
    if (!tryNumberedNames) return kNotFound;
    // "_N_name.ext": the matched file itself is opened.
    for (const std::string& f : pathList) {
        std::string folder = withSeparator(f);
        std::vector<std::string> names;
        if (const FolderTable* table = index_.folder(folder)) {
            for (const auto& [n, entry] : table->files)
                if (!entry.isFolder) names.push_back(n);
        } else if (auto disk = index_.diskPathOf(folder)) {
            if (auto listing = platform::listDirectory(*disk))
                for (const auto& d : *listing)
                    if (!d.isFolder) names.push_back(d.name);
        }
        for (const std::string& n : names) {
            auto number = numberedMatch(n, name, suffix);
            if (!number) continue;
            if (auto file = openIn(request.mode, folder + n)) {
                fill(folder, n, std::move(file));
                request.number = number;
                return kFound;
            }
        }
    }
    return kNotFound;
}

FileTypeRegistry& processFileTypes() {
    static FileTypeRegistry registry(processFolderIndex());
    return registry;
}

}  // namespace marquill::fileindex
