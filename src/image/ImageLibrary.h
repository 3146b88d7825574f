#pragma once
// The separately loaded image library. The program loads it once at start-up, hands it the
// callback table and initialises it; it is available when the module loaded and init said yes.
// A missing module leaves it unavailable, and every snapshot is then silently absent.
#include <cstdint>
#include <memory>
#include <string>

#include "image/PictrixAbi.h"
#include "platform/SharedModule.h"

namespace marquill::image {

class ImageLibrary {
  public:
    virtual ~ImageLibrary() = default;
    [[nodiscard]] virtual bool available() const = 0;
    // A codec for a file extension; 0 when there is none.
    [[nodiscard]] virtual int32_t find(const char* extension, int32_t flags) = 0;
    [[nodiscard]] virtual int32_t openWrite(void** context, void* stream, const char* name,
                                            int32_t codec) = 0;
    [[nodiscard]] virtual int32_t write(void* context, const uint8_t* info, const uint8_t* pixels,
                                        int32_t rowLength) = 0;
    virtual int32_t close(void* context) = 0;
    [[nodiscard]] virtual const PictrixCallbacks& callbacks() const = 0;
};

class PictrixLibrary final : public ImageLibrary {
  public:
    // Loads the module at `path`; an unloadable module gives an unavailable library.
    [[nodiscard]] static std::unique_ptr<PictrixLibrary> load(const std::string& path);
    // The module beside the program (or in its build tree), else by the loader's search.
    [[nodiscard]] static std::string defaultModulePath();
    ~PictrixLibrary() override;

    [[nodiscard]] bool available() const override { return available_; }
    [[nodiscard]] int32_t find(const char* extension, int32_t flags) override;
    [[nodiscard]] int32_t openWrite(void** context, void* stream, const char* name,
                                    int32_t codec) override;
    [[nodiscard]] int32_t write(void* context, const uint8_t* info, const uint8_t* pixels,
                                int32_t rowLength) override;
    int32_t close(void* context) override;
    [[nodiscard]] const PictrixCallbacks& callbacks() const override;
    // Whether an entry point (by its table name) was found.
    [[nodiscard]] bool hasEntry(const char* name) const;

  private:
    PictrixLibrary() = default;
    void* entry(const char* name) const;

    std::unique_ptr<platform::SharedModule> module_;
    bool available_ = false;
    PictrixRestoreFn restore_ = nullptr;
    PictrixFindFn find_ = nullptr;
    PictrixWopenFn wopen_ = nullptr;
    PictrixWriteFn write_ = nullptr;
    PictrixCloseFn close_ = nullptr;
};

// The symbol a table name is exported under.
[[nodiscard]] std::string exportedSymbol(const char* entryName);

}  // namespace marquill::image
