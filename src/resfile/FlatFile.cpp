#include "resfile/FlatFile.h"

#include <algorithm>
#include <cstring>

namespace marquill::resfile {

using platform::RandomAccessFile;

bool FlatFile::Exists(const std::string& path) {
    return RandomAccessFile::Exists(path);
}

ResCode FlatFile::Create(const std::string& path) {
    switch (RandomAccessFile::Create(path)) {
        case RandomAccessFile::CreateResult::Created:
            return kResOk;
        case RandomAccessFile::CreateResult::AlreadyExists:
            return kResAlreadyExists;
        case RandomAccessFile::CreateResult::Failed:
            break;
    }
    return kResCreateFailed;
}

ResCode FlatFile::Delete(const std::string& path) {
    if (!RandomAccessFile::Exists(path)) return kResNoSuchFile;
    return RandomAccessFile::Remove(path) ? kResOk : kResDeleteFailed;
}

ResCode FlatFile::Open(const std::string& path, Access access) {
    Close();
    DropReadBuffer();
    writable_ = false;
    if (access == Access::ReadWrite && file_.Open(path, RandomAccessFile::Mode::ReadWrite)) {
        writable_ = true;
        return kResOk;
    }
    return file_.Open(path, RandomAccessFile::Mode::ReadOnly) ? kResOk : kResCannotOpen;
}

ResCode FlatFile::Close() {
    if (!file_.IsOpen()) return kResNotOpen;
    bool ok = true;
    if (writtenSinceSync_) ok = file_.Sync();
    writtenSinceSync_ = false;
    ok = file_.Close() && ok;
    writable_ = false;
    DropReadBuffer();
    return ok ? kResOk : kResCannotOpen;
}

ResCode FlatFile::Read(uint64_t offset, void* data, size_t size) {
    if (!file_.IsOpen()) return kResNotOpen;
    ++readCount_;
    if (size == 0) return kResOk;
    if (offset >= bufferedOffset_ && offset - bufferedOffset_ <= bufferedLength_ &&
        size <= bufferedLength_ - (offset - bufferedOffset_)) {
        std::memcpy(data, readBuffer_.data() + (offset - bufferedOffset_), size);
        return kResOk;
    }
    if (size < readBufferSize_ / 2) {
        readBuffer_.resize(readBufferSize_);
        auto got = file_.ReadAt(offset, readBuffer_.data(), readBufferSize_);
        if (!got) {
            DropReadBuffer();
            return kResShortRead;
        }
        bufferedOffset_ = offset;
        bufferedLength_ = *got;
        if (*got < size) return kResShortRead;
        std::memcpy(data, readBuffer_.data(), size);
        return kResOk;
    }
    auto got = file_.ReadAt(offset, data, size);
    return (got && *got == size) ? kResOk : kResShortRead;
}

ResCode FlatFile::Write(uint64_t offset, const void* data, size_t size) {
    if (!file_.IsOpen()) return kResNotOpen;
    if (!writable_) return kResNotWritable;
    if (bufferedLength_ > 0 && offset < bufferedOffset_ + bufferedLength_ &&
        offset + size > bufferedOffset_) {
        DropReadBuffer();
    }
    writtenSinceSync_ = true;
    auto put = file_.WriteAt(offset, data, size);
    return (put && *put == size) ? kResOk : kResShortWrite;
}

ResCode FlatFile::Flush() {
    // Writes go straight to the system; the disk is waited for once, on close.
    return file_.IsOpen() ? kResOk : kResCannotOpen;
}

ResCode FlatFile::Length(uint64_t& length) {
    if (!file_.IsOpen()) return kResNotOpen;
    auto got = file_.Length();
    if (!got) return kResCannotOpen;
    length = *got;
    return kResOk;
}

ResCode FlatFile::SetLength(uint64_t length) {
    if (!file_.IsOpen()) return kResNotOpen;
    DropReadBuffer();
    writtenSinceSync_ = true;
    return file_.SetLength(length) ? kResOk : kResCannotOpen;
}

bool FlatFile::SetBufferSizes(size_t readSize, size_t) {
    readBufferSize_ = std::clamp<size_t>(readSize, 0, size_t{1} << 20);
    DropReadBuffer();
    return true;
}

}  // namespace marquill::resfile
