#include "vb/VbFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <fstream>
#include <iterator>

#include "vb/VbError.h"
#include "vb/VbRuntime.h"
#include "ErrorNumber.h"

namespace fs = std::filesystem;
using namespace vb;

namespace {

using testsupport::ErrorNumberOf;

class VbFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("vbfile_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override {
        CloseAll();
        fs::remove_all(dir);
    }
    std::string Path(const char* name) const { return (dir / name).string(); }
    static std::string Bytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static void Write(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    fs::path dir;
};

}  // namespace

TEST_F(VbFileTest, BinaryValuesAreLittleEndianAtExplicitAndCurrentPositions) {
    const auto p = Path("b.bin");
    const int16_t f = FreeFile();
    Open(p, OpenMode::Binary, f, OpenAccess::Write);
    EXPECT_EQ(FreeFile(), f + 1);
    PutInteger(f, -2);             // bytes 1..2
    PutLong(f, 0x01020304);        // 3..6
    PutSingle(f, -1.0f);           // 7..10
    PutDouble(f, 0.5);             // 11..18
    PutString(f, "HALD");          // 19..22
    PutByte(f, 9, 30);             // leaves a gap of zeros 23..29
    EXPECT_EQ(Seek(f), 31);
    EXPECT_EQ(LOF(f), 30);
    Close(f);

    const std::string b = Bytes(p);
    ASSERT_EQ(b.size(), 30u);
    EXPECT_EQ(b.substr(0, 6), std::string("\xFE\xFF\x04\x03\x02\x01", 6));
    EXPECT_EQ(b.substr(6, 4), std::string("\x00\x00\x80\xBF", 4));
    EXPECT_EQ(b.substr(18, 4), "HALD");

    Open(p, OpenMode::Binary, f, OpenAccess::Read);
    EXPECT_EQ(GetLong(f, 3), 0x01020304);
    EXPECT_EQ(GetSingle(f), -1.0f);
    EXPECT_EQ(GetDouble(f), 0.5);
    EXPECT_EQ(GetInteger(f, 1), -2);
    EXPECT_EQ(GetString(f, 4, 19), "HALD");
    EXPECT_EQ(GetByte(f, 30), 9);
    EXPECT_TRUE(EndOfFile(f));
    EXPECT_EQ(ErrorNumberOf([&] { PutByte(f, 1); }), errBadFileMode);  // opened for reading
}

TEST_F(VbFileTest, ReadingPastTheEndRaises62AndReadsNothing) {
    const auto p = Path("short.bin");
    Write(p, std::string("\x01\x02\x03", 3));
    Open(p, OpenMode::Binary, 1, OpenAccess::Read);
    EXPECT_EQ(ErrorNumberOf([&] { GetLong(1); }), errInputPastEnd);
    EXPECT_EQ(Seek(1), 1);  // position unchanged by the failed read
    EXPECT_EQ(GetBytes(1, 3), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(ErrorNumberOf([&] { GetByte(1); }), errInputPastEnd);
    EXPECT_EQ(ErrorNumberOf([&] { GetSingle(1, 2); }), errInputPastEnd);
}

TEST_F(VbFileTest, OpenAndFileNumberErrors) {
    struct Case { std::function<void()> f; int32_t number; } cases[] = {
        {[&] { Open(Path("missing"), OpenMode::Input, 1); }, errFileNotFound},
        {[&] { Open(Path("missing"), OpenMode::Binary, 1, OpenAccess::Read); }, errFileNotFound},
        {[&] { Open(Path("no/such/dir/x"), OpenMode::Output, 1); }, errPathNotFound},
        {[&] { GetByte(7); }, errBadFileNumber},
        {[&] { LOF(7); }, errBadFileNumber},
        {[&] { Seek(7, 1); }, errBadFileNumber},
    };
    for (std::size_t k = 0; k < std::size(cases); ++k) EXPECT_EQ(ErrorNumberOf(cases[k].f), cases[k].number) << k;
    EXPECT_FALSE(IsOpen(1));
    Open(Path("a"), OpenMode::Output, 1);
    EXPECT_EQ(ErrorNumberOf([&] { Open(Path("b"), OpenMode::Output, 1); }), errFileAlreadyOpen);
    EXPECT_EQ(ErrorNumberOf([&] { Seek(1, 0); }), errBadRecordNumber);
    EXPECT_EQ(ErrorNumberOf([&] { GetByte(1); }), errBadFileMode);  // sequential file
    Close(1);
    Close(1);  // closing twice is harmless
    // A writable binary open creates the file and keeps an existing one's bytes.
    Write(Path("keep"), "abc");
    Open(Path("keep"), OpenMode::Binary, 2);
    PutString(2, "X", 2);
    Close(2);
    EXPECT_EQ(Bytes(Path("keep")), "aXc");
}

TEST_F(VbFileTest, LineInputAcceptsEveryLineEndAndPrintWritesCrLf) {
    const auto p = Path("t.txt");
    Write(p, "one\r\ntwo\rthree\nfour\r\n\r\nlast");
    Open(p, OpenMode::Input, 3);
    std::vector<std::string> lines;
    while (!EndOfFile(3)) lines.push_back(LineInput(3));
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three", "four", "", "last"}));
    EXPECT_EQ(ErrorNumberOf([&] { LineInput(3); }), errInputPastEnd);
    Seek(3, 1);
    EXPECT_EQ(LineInput(3), "one");
    Close(3);

    Open(p, OpenMode::Output, 3);
    Print(3, "a\tb");
    Print(3, "c", false);
    Close(3);
    Open(p, OpenMode::Append, 3);
    Print(3, "d");
    Close(3);
    EXPECT_EQ(Bytes(p), "a\tb\r\ncd\r\n");
}

TEST_F(VbFileTest, FileNumberIsClosedOnEveryWayOut) {
    int16_t no = 0;
    try {
        FileNumber f;
        no = f;
        Open(Path("w"), OpenMode::Output, f);
        Print(f, "kept");
        vb::Raise(13, "test");
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number, 13) << "the error that left the scope comes through";
    }
    EXPECT_FALSE(IsOpen(no));
    EXPECT_EQ(Bytes(Path("w")), "kept\r\n");
    {
        FileNumber f;
        EXPECT_EQ(static_cast<int16_t>(f), no) << "the number is free again";
        Open(Path("w"), OpenMode::Input, f);
    }
    EXPECT_FALSE(IsOpen(no));

    // A flush that fails is raised by Close, and dropped on the way out of a failing scope.
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    {
        FileNumber f;
        Open("/dev/full", OpenMode::Output, f);
        Print(f, "lost");
        EXPECT_EQ(ErrorNumberOf([&] { f.Close(); }), errDiskFull);
        EXPECT_FALSE(IsOpen(f));
    }
    EXPECT_EQ(ErrorNumberOf([&] {
                  FileNumber f;
                  Open("/dev/full", OpenMode::Output, f);
                  Print(f, "lost");
                  vb::Raise(13, "test");
              }),
              13);
}

TEST_F(VbFileTest, AFullDiskIsDiskFullWhereverTheWriteFails) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    // The device refuses every byte as a full disk does; the refusal shows in the write
    // that does not fit the buffer, in the flush before the next write, or in Close.
    const std::string big(64 * 1024, 'x');
    const struct {
        const char* where;
        std::function<void(int16_t)> write;
    } cases[] = {
        {"close", [](int16_t f) { Print(f, "lost"); }},
        {"next write", [](int16_t f) { Print(f, "lost"); Print(f, "too"); }},
        {"write", [&](int16_t f) { Print(f, big); }},
        {"binary", [](int16_t f) { PutInteger(f, 1, 1); PutInteger(f, 2, 3); }},
    };
    for (const auto& c : cases) {
        const bool binary = std::string(c.where) == "binary";
        EXPECT_EQ(ErrorNumberOf([&] {
                      FileNumber f;
                      Open("/dev/full", binary ? OpenMode::Binary : OpenMode::Output, f);
                      c.write(f);
                      f.Close();
                  }),
                  errDiskFull)
            << c.where;
    }
    EXPECT_EQ(ErrorText(errDiskFull), "Disk full");

    // A quota reached is a full disk too; other failures keep their own numbers.
    const struct {
        int err;
        int32_t number;
    } codes[] = {{EDQUOT, errDiskFull}, {ENOSPC, errDiskFull}, {EIO, errDeviceIO}, {0, errDeviceIO}};
    for (const auto& k : codes) {
        for (const bool atClose : {false, true}) {
            ScopedStreamCalls restore;
            if (atClose) {
                TheStreamCalls().close = [&k, real = TheStreamCalls().close](std::FILE* fp) {
                    real(fp);
                    return errno = k.err, EOF;
                };
            } else {
                TheStreamCalls().write = [&k](const void*, std::size_t, std::FILE*) -> std::size_t { return errno = k.err, 0; };
            }
            FileNumber f;
            Open(Path("quota"), OpenMode::Output, f);
            EXPECT_EQ(ErrorNumberOf([&] {
                          Print(f, "line");
                          f.Close();
                      }),
                      k.number)
                << k.err << (atClose ? " at close" : " at write");
        }
    }
}

TEST(VbFileCodePage, Cp1252RoundTripsEveryByteAndReplacesWhatItLacks) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);

    struct Case { const char* utf8; const char* cp; } cases[] = {
        {"Caf\xC3\xA9", "Caf\xE9"},              // e acute, same code point
        {"\xE2\x82\xAC 5", "\x80 5"},            // euro sign from the 0x80..0x9F table
        {"\xE2\x80\x9Cq\xE2\x80\x9D", "\x93q\x94"},
        {"\xC5\x93", "\x9C"},                    // oe ligature
        {"\xE4\xB8\xAD", "?"},                   // not in the code page
        {"\xF0\x9F\x90\x9F", "?"},               // outside the basic plane
        {"a\xFF" "b", "a?b"},                    // invalid UTF-8 byte
        {"\xC0\x8D", "??"},                      // overlong CR: no line break
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp) << c.utf8;
    }
    // Only the shortest form of a character below U+10FFFF that is no surrogate is UTF-8.
    for (const char* bad : {"\xC0\x8D", "\xE0\x80\x8D", "\xF0\x80\x80\x8D", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                            "\xC3", "\x80", "\xE2\x82"}) {
        EXPECT_FALSE(IsValidUtf8(bad)) << bad;
    }
    EXPECT_TRUE(IsValidUtf8("\xC2\x80\xEF\xBF\xBF\xF4\x8F\xBF\xBF"));
    EXPECT_EQ(Cp1252ToUtf8("\x80\xE9"), "\xE2\x82\xAC\xC3\xA9");
}
