#pragma once
// Result codes of the resource-file layer: 0 success, negative failure. Every file object also
// keeps the last code it produced (iResFile::LastResult).
#include <cstdint>

namespace marquill::resfile {

using ResCode = int32_t;

inline constexpr ResCode kResOk = 0;
// A chunk header at a resource's offset does not fit the entry, or stored data (map, string
// set, serialised record, name list) is truncated or inconsistent.
inline constexpr ResCode kResBadChunk = -1;
inline constexpr ResCode kResDeleteFailed = -39;
inline constexpr ResCode kResNoSuchFile = -40;
inline constexpr ResCode kResCreateFailed = -42;
inline constexpr ResCode kResAlreadyExists = -43;
inline constexpr ResCode kResNotWritable = -45;
inline constexpr ResCode kResShortWrite = -46;
// The file object is already open, or the map chunk named by the header is not usable.
inline constexpr ResCode kResAlreadyOpen = -47;
inline constexpr ResCode kResBadMap = -47;
inline constexpr ResCode kResShortRead = -48;
inline constexpr ResCode kResNotOpen = -49;
// The file cannot be opened, flushed or resized; no remembered path for Resume.
inline constexpr ResCode kResCannotOpen = -50;
inline constexpr ResCode kResAttributeUnsupported = -91;
inline constexpr ResCode kResBadHeader = -93;
inline constexpr ResCode kResUnsupported = -95;
// The block is not held by this file, or no resource has this id or position.
inline constexpr ResCode kResNoSuchResource = -98;
// No resource has this name, or the block to write, remove or rename is not held by this file.
inline constexpr ResCode kResNoSuchName = -99;
inline constexpr ResCode kResNotHeld = -99;
inline constexpr ResCode kResTypeRange = -100;
inline constexpr ResCode kResBlockError = -199;
inline constexpr ResCode kResOutOfMemory = -200;
inline constexpr ResCode kResNoKindMatched = -250;

}  // namespace marquill::resfile

namespace marquill::resfile {

// A short description of a result code, for messages.
[[nodiscard]] const char* ResCodeText(ResCode code);

}  // namespace marquill::resfile
