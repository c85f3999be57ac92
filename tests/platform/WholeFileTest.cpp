// Files written whole or not at all.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "files/WholeFile.h"

namespace fs = std::filesystem;

TEST(WholeFile, ReplacesTheFileOrLeavesEverythingAsItWas) {
    std::random_device rd;
    const fs::path folder = fs::temp_directory_path() / ("vorn-wholefile-" + std::to_string(rd()));
    fs::create_directories(folder);
    auto read = [](const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const fs::path file = folder / "report.dat";
    ASSERT_TRUE(files::WriteWholeFile(file.string(), "one\r\n"));
    ASSERT_TRUE(files::WriteWholeFile(file.string(), "two\r\n"));
    EXPECT_EQ(read(file), "two\r\n");

    // A name taken by a folder, and a folder that is not there: refused, nothing left over.
    fs::create_directory(folder / "taken.dat");
    EXPECT_FALSE(files::WriteWholeFile((folder / "taken.dat").string(), "three\r\n"));
    EXPECT_FALSE(files::WriteWholeFile((folder / "none" / "x.dat").string(), "four\r\n"));
    EXPECT_TRUE(fs::is_directory(folder / "taken.dat"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2);
    EXPECT_EQ(read(file), "two\r\n");
    fs::remove_all(folder);
}
