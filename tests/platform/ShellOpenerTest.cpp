#include "platform/ShellOpener.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/Files.h"
#include "resfile/TempDir.h"

namespace marquill::platform {
namespace {

namespace fs = std::filesystem;
using resfile::testing::TempDir;

TEST(ShellOpener, StartsTheOpenerWithTheAddressAndDoesNotWaitForIt) {
    TempDir dir;
    const std::string opener = dir.File("opener");
    const std::string seen = dir.File("seen");
    // Writes what it was asked to open, then keeps running: open() must not wait for it.
    std::ofstream(opener) << "#!/bin/sh\nprintf '%s' \"$1\" > '" << seen << ".part'\nmv '" << seen
                          << ".part' '" << seen << "'\nexec sleep 5 >/dev/null 2>&1\n";
    fs::permissions(opener, fs::perms::owner_all);

    XdgShellOpener shell(opener);
    ASSERT_TRUE(shell.open("https://exchange.example/exchange_stars/"));
    for (int i = 0; i < 400 && !fileExists(seen); ++i)
        ::usleep(25'000);
    auto bytes = readWholeFile(seen);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(std::string(bytes->begin(), bytes->end()),
              "https://exchange.example/exchange_stars/");
}

TEST(ShellOpener, AMissingOrUnusableOpenerIsAFailure) {
    TempDir dir;
    EXPECT_FALSE(XdgShellOpener("marquill-no-such-opener").open("readme.txt"));
    EXPECT_FALSE(XdgShellOpener(dir.File("absent")).open("readme.txt"));
    const std::string notExecutable = dir.File("plain");
    std::ofstream(notExecutable) << "#!/bin/sh\n";
    fs::permissions(notExecutable, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_FALSE(XdgShellOpener(notExecutable).open("readme.txt"));
}

}  // namespace
}  // namespace marquill::platform
