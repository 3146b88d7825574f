#include "platform/ScratchFile.h"

#include "platform/Files.h"

namespace marquill::platform {
namespace {

constexpr std::string_view kMark = ".marquill-";
constexpr std::string_view kSuffix = ".tmp";

// The run tag of a scratch file name, or empty when the name is not one.
std::string_view runTagOf(std::string_view name) {
    if (name.size() < 1 + kMark.size() + kSuffix.size() || name.front() != '.' ||
        name.substr(name.size() - kSuffix.size()) != kSuffix)
        return {};
    const std::string_view body = name.substr(0, name.size() - kSuffix.size());
    const size_t mark = body.rfind(kMark);
    if (mark == std::string_view::npos || mark == 0) return {};
    return body.substr(mark + kMark.size());
}

}  // namespace

bool isScratchFileName(std::string_view name) {
    return !runTagOf(name).empty();
}

void removeLeftoverScratchFiles(const std::string& folder, FileLayer& files) {
    auto entries = files.list(folder);
    if (!entries) return;
    for (const auto& entry : *entries) {
        const std::string_view tag = runTagOf(entry.name);
        if (entry.isFolder || tag.empty() || files.runIsAlive(std::string(tag))) continue;
        (void)files.remove(folder + "/" + entry.name);
    }
}

ScratchFile::ScratchFile(std::string target, FileLayer& files, Leftovers leftovers)
    : files_(files), target_(std::move(target)) {
    const std::string folder = parentFolder(target_);
    path_ = folder + "/." + fileNameOf(target_) + std::string(kMark) + files_.runTag() +
            std::string(kSuffix);
    if (leftovers == Leftovers::RemoveNow) removeLeftoverScratchFiles(folder, files_);
    if (files_.exists(path_)) (void)files_.remove(path_);
}

ScratchFile::~ScratchFile() {
    if (!committed_) discard();
}

bool ScratchFile::copyTarget() {
    auto bytes = readWholeFile(target_, files_);
    return bytes && write(*bytes);
}

bool ScratchFile::write(std::span<const uint8_t> bytes) {
    if (files_.exists(path_) && !files_.remove(path_)) return false;
    if (files_.create(path_) != FileLayer::CreateResult::Created) return false;
    auto file = files_.open(path_, FileLayer::Mode::ReadWrite);
    if (!file) return false;
    auto put = file->writeAt(0, bytes.data(), bytes.size());
    return put && *put == bytes.size();
}

bool ScratchFile::sync() {
    auto file = files_.open(path_, FileLayer::Mode::ReadWrite);
    return file && file->sync();
}

bool ScratchFile::commit(Durability durability) {
    bool ok = durability == Durability::AlreadySynced ? files_.exists(path_) : sync();
    ok = ok && files_.rename(path_, target_);
    if (!ok) {
        discard();
        return false;
    }
    committed_ = true;
    return true;
}

bool ScratchFile::placeAsNew() {
    if (!files_.placeNew(path_, target_)) return false;
    committed_ = true;
    return true;
}

void ScratchFile::discard() {
    if (files_.exists(path_)) (void)files_.remove(path_);
}

}  // namespace marquill::platform
