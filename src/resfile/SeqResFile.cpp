#include "resfile/SeqResFile.h"

#include <algorithm>

#include "resfile/IFFResFile.h"
#include "resfile/IFFResFile2.h"
#include "resfile/ResolveResFile.h"

namespace marquill::resfile {

std::unique_ptr<iResFile> MakeResFile(ResFileKind kind) {
    switch (kind) {
        case ResFileKind::IFF1:
            return std::make_unique<IFFResFile>();
        case ResFileKind::IFF2:
            return std::make_unique<IFFResFile2>();
        case ResFileKind::Resolve:
            return std::make_unique<ResolveResFile>();
    }
    return nullptr;
}

SeqResFile::SeqResFile(std::vector<ResFileKindEntry> table) : table_(std::move(table)) {
    if (table_.size() > kMaxEntries) table_.resize(kMaxEntries);
}

std::optional<std::string> SeqResFile::MatchPath(const std::string& path,
                                                 std::string_view extension) {
    if (extension.size() < 2 || extension[0] != '.') return std::nullopt;
    const size_t slash = path.find_last_of("/\\");
    const size_t dot = path.rfind('.');
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash);
    if (!hasExtension) return path + std::string(extension);
    if (SameResName(std::string_view(path).substr(dot), extension)) return path;
    return std::nullopt;
}

ResCode SeqResFile::Create(const std::string& path) {
    ResCode last = kResNoKindMatched;
    std::vector<std::string> created;
    for (const auto& entry : table_) {
        auto matched = MatchPath(path, entry.extension);
        // A path this call just created is not "already existing" for the next kind.
        if (!matched || std::find(created.begin(), created.end(), *matched) != created.end())
            continue;
        auto file = MakeResFile(entry.kind);
        last = file->Create(*matched);
        if (last == kResAlreadyExists) return SetResult(last);
        if (last == kResOk) created.push_back(*matched);
    }
    return SetResult(last);
}

ResCode SeqResFile::Delete(const std::string& path) {
    ResCode last = kResNoKindMatched;
    bool deleted = false;
    for (const auto& entry : table_) {
        auto matched = MatchPath(path, entry.extension);
        if (!matched) continue;
        auto file = MakeResFile(entry.kind);
        last = file->Delete(*matched);
        deleted = deleted || last == kResOk;
    }
    return SetResult(deleted ? kResOk : last);
}

ResCode SeqResFile::Open(const std::string& path, Access access) {
    CloseMembers();
    ResCode last = kResNoKindMatched;
    bool opened = false;
    for (const auto& entry : table_) {
        auto matched = MatchPath(path, entry.extension);
        if (!matched) continue;
        auto file = MakeResFile(entry.kind);
        last = file->Open(*matched, access);
        if (last == kResOk && AddMember(std::move(file))) opened = true;
    }
    return SetResult(opened ? kResOk : last);
}

}  // namespace marquill::resfile
