#include "fileindex/FileReader.h"

#include <cstring>
#include <mutex>

#include "fileindex/FolderIndex.h"

namespace marquill::fileindex {

FileReader FileReader::loose(std::string path, std::unique_ptr<platform::RandomAccessFile> file,
                             bool forWriting, FolderIndex* index) {
    FileReader r;
    r.path_ = std::move(path);
    r.size_ = file->Length().value_or(0);
    r.file_ = std::move(file);
    r.forWriting_ = forWriting;
    r.index_ = index;
    return r;
}

FileReader FileReader::archived(std::string path, const FarArchive& archive, uint32_t offset,
                                uint32_t size, FolderIndex* index) {
    FileReader r;
    r.path_ = std::move(path);
    r.archive_ = &archive;
    r.base_ = offset;
    r.size_ = size;
    r.index_ = index;
    return r;
}

size_t FileReader::read(void* out, size_t size) {
    if (position_ >= size_) return 0;
    const uint64_t left = size_ - position_;
    size_t n = size < left ? size : static_cast<size_t>(left);
    if (archive_) {
        std::unique_lock<std::mutex> guard;
        if (index_) guard = std::unique_lock<std::mutex>(index_->lock());
        auto bytes = archive_->file.bytes();
        // The table was checked against the archive's size when it was indexed.
        if (base_ + position_ + n > bytes.size()) return 0;
        if (n) std::memcpy(out, bytes.data() + base_ + position_, n);
    } else {
        n = file_->ReadAt(position_, out, n).value_or(0);
    }
    position_ += n;
    return n;
}

size_t FileReader::write(const void* data, size_t size) {
    if (archive_ || !forWriting_) return 0;
    size_t n = file_->WriteAt(position_, data, size).value_or(0);
    position_ += n;
    if (position_ > size_) size_ = position_;
    return n;
}

bool FileReader::seek(uint64_t position) {
    if (position > size_) return false;
    position_ = position;
    return true;
}

std::optional<std::vector<uint8_t>> FileReader::readAll() {
    std::vector<uint8_t> out(static_cast<size_t>(size_));
    position_ = 0;
    if (read(out.data(), out.size()) != out.size()) return std::nullopt;
    return out;
}

std::optional<std::string> FileReader::readString(size_t limit) {
    uint8_t length8 = 0;
    if (read(&length8, 1) != 1) return std::nullopt;
    uint32_t length = length8;
    if (length8 == 255) {
        uint8_t b[4];
        if (read(b, 4) != 4) return std::nullopt;
        length = uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24;
    }
    if (length > limit || length > size_ - position_) return std::nullopt;
    std::string s(length, '\0');
    if (read(s.data(), length) != length) return std::nullopt;
    return s;
}

bool FileReader::writeString(std::string_view text) {
    uint8_t head[5];
    size_t headSize = 1;
    if (text.size() < 255) {
        head[0] = static_cast<uint8_t>(text.size());
    } else {
        if (text.size() > UINT32_MAX) return false;
        const auto n = static_cast<uint32_t>(text.size());
        head[0] = 255;
        for (int i = 0; i < 4; ++i)
            head[1 + i] = static_cast<uint8_t>(n >> (8 * i));
        headSize = 5;
    }
    return write(head, headSize) == headSize && write(text.data(), text.size()) == text.size();
}

bool FileReader::flush() {
    return file_ && forWriting_ ? file_->Sync() : true;
}

}  // namespace marquill::fileindex
