#include "resfile/ResCode.h"

namespace marquill::resfile {

const char* ResCodeText(ResCode code) {
    switch (code) {
        case kResOk:
            return "success";
        case kResBadChunk:
            return "a chunk or its data does not fit what it should hold";
        case kResDeleteFailed:
            return "the file could not be deleted";
        case kResNoSuchFile:
            return "the file does not exist";
        case kResCreateFailed:
            return "the file could not be created";
        case kResAlreadyExists:
            return "the file already exists";
        case kResNotWritable:
            return "the file is not writable";
        case kResShortWrite:
            return "fewer bytes written than asked";
        case kResAlreadyOpen:
            return "already open, or the map chunk is not usable";
        case kResShortRead:
            return "a seek failed or fewer bytes read than asked";
        case kResNotOpen:
            return "the file is not open";
        case kResCannotOpen:
            return "the file cannot be opened, flushed or resized";
        case kResAttributeUnsupported:
            return "attribute lookups are not supported";
        case kResBadHeader:
            return "not an accepted IFF header or version";
        case kResUnsupported:
            return "not supported by this kind of file";
        case kResNoSuchResource:
            return "no such resource";
        case kResNoSuchName:
            return "no resource has this name, or the block is not held";
        case kResTypeRange:
            return "type position out of range";
        case kResBlockError:
            return "a data block could not be locked or disposed of";
        case kResOutOfMemory:
            return "out of memory";
        case kResNoKindMatched:
            return "no kind of file matches the path";
        default:
            return "unknown result";
    }
}

}  // namespace marquill::resfile
