// A random session of edits on a resource file, cut off at one write: the input picks in place
// or on a scratch copy, a kill or a failing write, the cut-off point and the edits. Any broken
// rule of CutOffSession.h aborts.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "../CutOffSession.h"

using namespace marquill::cutoff;

namespace {

constexpr size_t kMaxOps = 24;

Session Decode(const uint8_t* data, size_t size) {
    Session session;
    session.where = (data[0] & 1) ? Where::ScratchCopy : Where::InPlace;
    for (size_t at = 3; at + 4 <= size && session.ops.size() < kMaxOps; at += 4) {
        Op op;
        op.kind = static_cast<OpKind>(data[at] % 3);
        op.key = data[at + 1] % kKeys;
        op.size = static_cast<size_t>(data[at + 2]) | static_cast<size_t>(data[at + 3] & 0x0F) << 8;
        op.fill = data[at + 3];
        session.ops.push_back(op);
    }
    return session;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    static const auto base = BaseFile();
    const Session session = Decode(data, size);
    const Cut cut = (data[0] & 2) ? Cut::Fail : Cut::Stop;
    const Reference ref = ReferenceFor(session, base);
    if (ref.outcome.failureReported) {
        std::fprintf(stderr, "the uncut session failed\n");
        std::abort();
    }
    const uint64_t pick = static_cast<uint64_t>(data[1]) | static_cast<uint64_t>(data[2]) << 8;
    uint64_t n = pick % (ref.writes + 1);
    if (cut == Cut::Fail) {
        if (ref.writes == 0) return 0;
        n = 1 + pick % ref.writes;
    }
    const std::string error = RunCutOff(session, ref, cut, n);
    if (!error.empty()) {
        std::fprintf(stderr, "%s (%s, %s at write %llu of %llu, %zu edits)\n", error.c_str(),
                     session.where == Where::InPlace ? "in place" : "scratch copy",
                     cut == Cut::Stop ? "stopped" : "failing", static_cast<unsigned long long>(n),
                     static_cast<unsigned long long>(ref.writes), session.ops.size());
        std::abort();
    }
    return 0;
}
