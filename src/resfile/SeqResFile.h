#pragma once
// A chain built from a table of (kind, extension) entries: Create and Open try every entry in
// table order. A path with an extension is tried only with entries of that extension; a path
// without one is tried with each entry's extension appended.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "resfile/ChainResFile.h"
#include "resfile/StackString.h"

namespace marquill::resfile {

enum class ResFileKind { IFF1 = 1, IFF2 = 2, Resolve = 3 };

struct ResFileKindEntry {
    ResFileKind kind;
    StackString<8> extension;
};

// A closed file object of the kind.
[[nodiscard]] std::unique_ptr<iResFile> MakeResFile(ResFileKind kind);

class SeqResFile : public ChainResFile {
  public:
    static constexpr size_t kMaxEntries = 17;

    explicit SeqResFile(std::vector<ResFileKindEntry> table);

    ResCode Create(const std::string& path) override;
    ResCode Delete(const std::string& path) override;
    ResCode Open(const std::string& path, Access access) override;

    // The path an entry would use, none when the entry does not match.
    [[nodiscard]] static std::optional<std::string> MatchPath(const std::string& path,
                                                              std::string_view extension);

  protected:
    std::vector<ResFileKindEntry> table_;
};

}  // namespace marquill::resfile
