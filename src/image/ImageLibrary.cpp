#include "image/ImageLibrary.h"

#include "image/ImageLibraryCallbacks.h"
#include "platform/Files.h"
#include "platform/ToolFolders.h"

namespace marquill::image {

std::string exportedSymbol(const char* entryName) {
    std::string s(entryName);
    for (char& c : s) {
        if (c == '@') c = '_';
    }
    return s;
}

std::string PictrixLibrary::defaultModulePath() {
    const std::string dir = platform::executableFolder();
    for (const char* rel : {"/libpictrix.so", "/../lib/marquill/modules/libpictrix.so",
                            "/../lib/marquill/libpictrix.so", "/../lib/libpictrix.so",
                            "/../../pictrix/libpictrix.so"}) {
        if (!dir.empty() && platform::fileExists(dir + rel)) return dir + rel;
    }
    return "libpictrix.so";
}

void* PictrixLibrary::entry(const char* name) const {
    return module_ ? module_->symbol(exportedSymbol(name)) : nullptr;
}

bool PictrixLibrary::hasEntry(const char* name) const {
    return entry(name) != nullptr;
}

std::unique_ptr<PictrixLibrary> PictrixLibrary::load(const std::string& path) {
    std::unique_ptr<PictrixLibrary> lib(new PictrixLibrary());
    lib->module_ = platform::SharedModule::load(path);
    if (!lib->module_) return lib;
    auto install =
        reinterpret_cast<PictrixInstallCallbacksFn>(lib->entry("_Pictrix_installcallbacks@4"));
    auto init = reinterpret_cast<PictrixInitFn>(lib->entry("_Pictrix_init@0"));
    lib->restore_ = reinterpret_cast<PictrixRestoreFn>(lib->entry("_Pictrix_restore@0"));
    lib->find_ = reinterpret_cast<PictrixFindFn>(lib->entry("_Pictrix_find@8"));
    lib->wopen_ = reinterpret_cast<PictrixWopenFn>(lib->entry("_Pictrix_wopen@16"));
    lib->write_ = reinterpret_cast<PictrixWriteFn>(lib->entry("_Pictrix_write@16"));
    lib->close_ = reinterpret_cast<PictrixCloseFn>(lib->entry("_Pictrix_close@4"));
    if (install) (void)install(&imageLibraryCallbacks());
    lib->available_ = init != nullptr && init() != 0;
    return lib;
}

PictrixLibrary::~PictrixLibrary() {
    if (available_ && restore_) (void)restore_();
}

int32_t PictrixLibrary::find(const char* extension, int32_t flags) {
    return available_ && find_ ? find_(extension, flags) : 0;
}

int32_t PictrixLibrary::openWrite(void** context, void* stream, const char* name, int32_t codec) {
    return available_ && wopen_ ? wopen_(context, stream, name, codec) : 0;
}

int32_t PictrixLibrary::write(void* context, const uint8_t* info, const uint8_t* pixels,
                              int32_t rowLength) {
    return available_ && write_ ? write_(context, info, pixels, rowLength) : 0;
}

int32_t PictrixLibrary::close(void* context) {
    return available_ && close_ ? close_(context) : 0;
}

const PictrixCallbacks& PictrixLibrary::callbacks() const {
    return imageLibraryCallbacks();
}

}  // namespace marquill::image
