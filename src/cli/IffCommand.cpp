// `marquill iff`: creates, lists and edits resource files. Every change is one open, change and
// close of a scratch copy, which then replaces the file: the file ends with a fresh map, and a
// change that is stopped or fails leaves it as it was.
#include <cstdio>
#include <memory>
#include <string>

#include "cli/Args.h"
#include "cli/Command.h"
#include "cli/Json.h"
#include "cli/ResourceRef.h"
#include "platform/ByteSink.h"
#include "platform/Files.h"
#include "resfile/IFFResFile2.h"
#include "resfile/OpenIFFFile.h"
#include "resfile/ScratchEdit.h"

namespace marquill::cli {
namespace {

using namespace resfile;

constexpr const char* kUsage =
    "usage: marquill iff --create FILE\n"
    "       marquill iff FILE [--json]\n"
    "       marquill iff FILE --extract TYPE:ID OUT\n"
    "       marquill iff FILE --put TYPE:ID[:NAME] DATA\n"
    "       marquill iff FILE --delete TYPE:ID";

int FileError(const std::string& path, ResCode code) {
    return fail(kExitFileError,
                path + ": " + std::to_string(code) + " (" + ResCodeText(code) + ")");
}

const char* VersionText(uint16_t version) {
    switch (version) {
        case 0x0205:
            return "2.5";
        case 0x0200:
            return "2.0";
        default:
            return "1.0";
    }
}

int Create(const std::string& path) {
    IFFResFile2 file;
    if (ResCode code = file.Create(path); code != kResOk) return FileError(path, code);
    return kExitDone;
}

int List(const std::string& path, bool json) {
    ResCode code = kResOk;
    auto file = OpenIFFFile(path, Access::ReadOnly, code);
    if (!file) return FileError(path, code);
    const auto resources = file->DescribeResources();
    if (json) {
        Json j;
        j.beginObject().field("file", path).field("version", VersionText(file->Version()));
        j.field("map_offset", static_cast<uint64_t>(file->MapOffset()));
        j.key("resources").beginArray();
        for (const auto& r : resources) {
            j.beginObject()
                .field("type", ResTypeText(r.type))
                .field("type_code", static_cast<uint64_t>(r.type))
                .field("id", static_cast<int>(r.id))
                .field("name", r.name)
                .field("flags", static_cast<int>(r.flags))
                .field("attribute", static_cast<int>(r.attribute))
                .field("offset", static_cast<int64_t>(r.offset))
                .field("size", static_cast<int64_t>(r.size))
                .endObject();
        }
        j.endArray().endObject();
        std::printf("%s\n", j.str().c_str());
        return kExitDone;
    }
    std::printf("%s: version %s, ", path.c_str(), VersionText(file->Version()));
    if (file->MapOffset() != 0) {
        std::printf("map at %u, ", file->MapOffset());
    } else {
        std::printf("no map, ");
    }
    std::printf("%zu resources\n", resources.size());
    if (resources.empty()) return kExitDone;
    std::printf("%-10s %6s %4s %6s %10s %10s  %s\n", "TYPE", "ID", "ATTR", "FLAGS", "OFFSET",
                "SIZE", "NAME");
    for (const auto& r : resources) {
        std::printf("%-10s %6d %4d 0x%04x %10lld %10lld  %s\n", ResTypeText(r.type).c_str(), r.id,
                    r.attribute, r.flags, static_cast<long long>(r.offset),
                    static_cast<long long>(r.size), r.name.c_str());
    }
    return kExitDone;
}

int Extract(const std::string& path, const ResourceRef& ref, const std::string& out) {
    ResCode code = kResOk;
    auto file = OpenIFFFile(path, Access::ReadOnly, code);
    if (!file) return FileError(path, code);
    MemoryBlock* block = file->GetResource(ref.type, ref.id);
    if (!block) return FileError(path, file->LastResult());
    platform::FileSink sink(out);
    sink.write(block->Bytes());
    if (!sink.close()) return fail(kExitFileError, out + ": cannot write");
    return kExitDone;
}

int Put(const std::string& path, const ResourceRef& ref, const std::string& dataPath) {
    auto data = platform::readWholeFile(dataPath);
    if (!data) return fail(kExitFileError, dataPath + ": cannot read");
    const ResCode code = EditOnScratchCopy(path, [&](IFFChunkFile& file) {
        MemoryBlock* block = NewBlock(data->size());
        if (!block) return kResOutOfMemory;
        std::copy(data->begin(), data->end(), block->Bytes().begin());
        if (ResCode added =
                file.AddResource(block, ref.type, ref.id, ref.name.value_or(""), DataOrder::Native);
            added != kResOk) {
            DisposeBlock(block);
            return added;
        }
        return file.WriteResource(block);
    });
    return code == kResOk ? kExitDone : FileError(path, code);
}

int Remove(const std::string& path, const ResourceRef& ref) {
    const ResCode code = EditOnScratchCopy(path, [&](IFFChunkFile& file) {
        MemoryBlock* block = file.GetResource(ref.type, ref.id);
        if (!block) return file.LastResult();
        return file.RemoveResource(block);
    });
    return code == kResOk ? kExitDone : FileError(path, code);
}

}  // namespace

int runIff(const Words& words) {
    std::string error;
    auto args = Args::parse(words, {"json"}, &error);
    if (!args) return fail(kExitUsage, error + "\n" + kUsage);
    for (const auto& option : args->optionNames()) {
        if (option != "json" && option != "create" && option != "extract" && option != "put" &&
            option != "delete" && option != "game-dir")
            return fail(kExitUsage, "unknown option --" + option + "\n" + kUsage);
    }
    const auto& positional = args->positional();
    const int actions =
        args->has("create") + args->has("extract") + args->has("put") + args->has("delete");
    if (actions > 1) return fail(kExitUsage, kUsage);
    if (auto path = args->value("create")) {
        if (!positional.empty()) return fail(kExitUsage, kUsage);
        return Create(*path);
    }
    const std::string action = args->has("extract")  ? "extract"
                               : args->has("put")    ? "put"
                               : args->has("delete") ? "delete"
                                                     : "";
    const size_t expected = (action == "extract" || action == "put") ? 2 : 1;
    if (positional.size() != expected) return fail(kExitUsage, kUsage);
    const std::string& path = positional[0];
    if (action.empty()) return List(path, args->has("json"));

    auto ref = ParseResourceRef(*args->value(action), action == "put");
    if (!ref) return fail(kExitUsage, "bad resource '" + *args->value(action) + "'\n" + kUsage);
    if (action == "extract") return Extract(path, *ref, positional[1]);
    if (action == "put") return Put(path, *ref, positional[1]);
    return Remove(path, *ref);
}

}  // namespace marquill::cli
