#ifndef DATATESTSUPPORT_H
#define DATATESTSUPPORT_H
// What the data file tests share: reading a file's bytes, catching the error a call raises,
// and a fixture that runs each test in a fresh folder of its own.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "vb/VbError.h"
#include "ScratchPath.h"

namespace datatest {

namespace fs = std::filesystem;

inline std::string Bytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The error `f` raises; number 0 when it raises none.
inline VbError ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const VbError& e) {
        return e;
    }
    return VbError(0, "", "");
}

// Each test runs with a fresh, empty folder `dir` as the current folder.
class TempFolderTest : public ::testing::Test {
protected:
    explicit TempFolderTest(std::string prefix) : prefix_(std::move(prefix)) {}
    void SetUp() override {
        old_ = fs::current_path();
        dir = testsupport::ScratchPath(prefix_ + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        fs::current_path(dir);
    }
    void TearDown() override {
        fs::current_path(old_);
        fs::remove_all(dir);
    }
    fs::path dir;

private:
    std::string prefix_;
    fs::path old_;
};

}  // namespace datatest

#endif
