#include "resfile/FlatFile.h"

#include <algorithm>
#include <cstring>

namespace marquill::resfile {

using platform::FileLayer;

bool FlatFile::Exists(const std::string& path) {
    return files_.exists(path);
}

bool FlatFile::IsWritableOnDisk(const std::string& path) {
    return files_.isWritable(path);
}

ResCode FlatFile::Create(const std::string& path) {
    switch (files_.create(path)) {
        case FileLayer::CreateResult::Created:
            return kResOk;
        case FileLayer::CreateResult::AlreadyExists:
            return kResAlreadyExists;
        case FileLayer::CreateResult::Failed:
            break;
    }
    return kResCreateFailed;
}

ResCode FlatFile::Delete(const std::string& path) {
    if (!files_.exists(path)) return kResNoSuchFile;
    return files_.remove(path) ? kResOk : kResDeleteFailed;
}

ResCode FlatFile::Open(const std::string& path, Access access) {
    Close();
    DropReadBuffer();
    writable_ = false;
    if (access == Access::ReadWrite) {
        file_ = files_.open(path, FileLayer::Mode::ReadWrite);
        if (file_) {
            writable_ = true;
            return kResOk;
        }
    }
    file_ = files_.open(path, FileLayer::Mode::ReadOnly);
    return file_ ? kResOk : kResCannotOpen;
}

ResCode FlatFile::Close() {
    if (!file_) return kResNotOpen;
    bool ok = true;
    if (writtenSinceSync_) ok = file_->sync();
    writtenSinceSync_ = false;
    ok = file_->close() && ok;
    file_.reset();
    writable_ = false;
    DropReadBuffer();
    return ok ? kResOk : kResCannotOpen;
}

ResCode FlatFile::Read(uint64_t offset, void* data, size_t size) {
    if (!file_) return kResNotOpen;
    ++readCount_;
    if (size == 0) return kResOk;
    if (offset >= bufferedOffset_ && offset - bufferedOffset_ <= bufferedLength_ &&
        size <= bufferedLength_ - (offset - bufferedOffset_)) {
        std::memcpy(data, readBuffer_.data() + (offset - bufferedOffset_), size);
        return kResOk;
    }
    if (size < readBufferSize_ / 2) {
        readBuffer_.resize(readBufferSize_);
        auto got = file_->readAt(offset, readBuffer_.data(), readBufferSize_);
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
    auto got = file_->readAt(offset, data, size);
    return (got && *got == size) ? kResOk : kResShortRead;
}

ResCode FlatFile::Write(uint64_t offset, const void* data, size_t size) {
    if (!file_) return kResNotOpen;
    if (!writable_) return kResNotWritable;
    if (bufferedLength_ > 0 && offset < bufferedOffset_ + bufferedLength_ &&
        offset + size > bufferedOffset_) {
        DropReadBuffer();
    }
    writtenSinceSync_ = true;
    auto put = file_->writeAt(offset, data, size);
    return (put && *put == size) ? kResOk : kResShortWrite;
}

ResCode FlatFile::Flush() {
    // Writes go straight to the system; the disk is waited for once, on close.
    return file_ ? kResOk : kResCannotOpen;
}

ResCode FlatFile::Length(uint64_t& length) {
    if (!file_) return kResNotOpen;
    auto got = file_->length();
    if (!got) return kResCannotOpen;
    length = *got;
    return kResOk;
}

ResCode FlatFile::SetLength(uint64_t length) {
    if (!file_) return kResNotOpen;
    DropReadBuffer();
    writtenSinceSync_ = true;
    return file_->setLength(length) ? kResOk : kResCannotOpen;
}

bool FlatFile::SetBufferSizes(size_t readSize, size_t) {
    readBufferSize_ = std::clamp<size_t>(readSize, 0, size_t{1} << 20);
    DropReadBuffer();
    return true;
}

}  // namespace marquill::resfile
