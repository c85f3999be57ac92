#include "clsVorn.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "DataTestSupport.h"
#include "files/WholeFile.h"
#include "modHald.h"
#include "vb/VbError.h"
#include "vb/VbFile.h"
#include "vb/VbRuntime.h"

namespace fs = std::filesystem;

namespace {

using datatest::Bytes;
using datatest::ErrorOf;

const fs::path kData = TEST_DATA_DIR;

float SingleAt(const std::string& b, std::size_t offset) {
    uint32_t u = 0;
    for (int k = 0; k < 4; ++k) u |= static_cast<uint32_t>(static_cast<unsigned char>(b[offset + k])) << (8 * k);
    float f;
    std::memcpy(&f, &u, 4);
    return f;
}

class FilesTest : public datatest::TempFolderTest {
protected:
    FilesTest() : TempFolderTest("vorn_files_") {}
    void TearDown() override {
        clsVorn::SetSimRecordHooks({});
        vb::CloseAll();
        TempFolderTest::TearDown();
    }
    // A copy of a fixture in the test folder, so reading it cannot change the original.
    std::string Fixture(const char* name) {
        fs::copy_file(kData / name, dir / name, fs::copy_options::overwrite_existing);
        return (dir / name).string();
    }
    std::size_t FilesInFolder() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
    }
};

void ExpectSameData(const clsVorn& a, const clsVorn& b) {
    ASSERT_EQ(a.NumDists(), b.NumDists());
    ASSERT_EQ(a.NumClasses(), b.NumClasses());
    EXPECT_EQ(a.MinLength(), b.MinLength());
    EXPECT_EQ(a.ClassSize(), b.ClassSize());
    EXPECT_EQ(a.maxlength(), b.maxlength());
    EXPECT_EQ(a.FileDesc(), b.FileDesc());
    for (int16_t i = 1; i <= a.NumDists(); ++i) {
        EXPECT_EQ(a.sTime(i), b.sTime(i)) << i;
        EXPECT_EQ(a.NTotal(i), b.NTotal(i)) << i;
        EXPECT_EQ(a.FNZero(i), b.FNZero(i)) << i;
        for (int16_t j = 1; j <= a.NumClasses(); ++j) EXPECT_EQ(a.Dists(i, j), b.Dists(i, j)) << i << "," << j;
    }
    for (int16_t j = 1; j <= a.NumClasses() + 1; ++j) EXPECT_EQ(a.LBounds(j), b.LBounds(j)) << j;
}

}  // namespace

TEST_F(FilesTest, GetFileTypeFollowsTheHeaderAndTheExtension) {
    const std::string vn5 = Bytes(kData / "sample.vn5");
    std::ofstream(dir / "vn5_as.vn4", std::ios::binary) << vn5;          // type 4 named .vn4
    std::string kt3 = Bytes(kData / "other.KT2");
    kt3[10] = 3;
    std::ofstream(dir / "third.kt3", std::ios::binary) << kt3;
    std::string badSig = vn5;
    badSig[7] = 'a';                                                     // "HaLD"
    std::ofstream(dir / "badsig.vn5", std::ios::binary) << badSig;
    struct Case { fs::path path; int type; } cases[] = {
        {dir / "nowhere.TXT", 5},                      // never opened
        {dir / "nowhere.txt", 5},
        {kData / "sample.vn5", 4},
        {kData / "sample.vn4", 1},
        {kData / "other.KT2", 2},
        {dir / "third.kt3", 3},
        {kData / "broken_wrong_type.vn5", 0},          // type 1 in a .vn5
        {dir / "vn5_as.vn4", 0},
        {kData / "broken_short_header.vn5", 0},
        {dir / "badsig.vn5", 0},
        {dir / "nowhere.vn5", 0},
        {kData / "sample.vn5.bak", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(modHald::GetFileType(c.path.string()), c.type) << c.path;
    EXPECT_FALSE(fs::exists(dir / "nowhere.vn5"));  // looking did not create it
}

TEST_F(FilesTest, HeaderAndStringHelpers) {
    const std::string p = (dir / "h.bin").string();
    std::ofstream(p, std::ios::binary) << std::string(20, 'z');
    modHald::WriteFileHeader(p, 4);
    const std::string b = Bytes(p);
    ASSERT_EQ(b.size(), 20u);
    EXPECT_EQ(b.substr(0, 11), std::string("\x00\x04\x00\x08\x06\x09HALD\x04", 11));
    EXPECT_EQ(b.substr(11), std::string(9, 'z'));
    for (int bad : {0, 5, -1}) EXPECT_EQ(ErrorOf([&] { modHald::WriteFileHeader(p, bad); }).Number, 1009) << bad;

    EXPECT_EQ(modHald::FixedString("abc", 5), "abc  ");
    EXPECT_EQ(modHald::FixedString("abcdef", 3), "abc");
    EXPECT_EQ(modHald::FixedString("caf\xC3\xA9!", 4), "caf\xC3\xA9");  // characters, not bytes
    EXPECT_EQ(modHald::BytesToString({3, 'a', 'b', 'c', 'd'}), "abc");
    EXPECT_EQ(modHald::BytesToString({9, 'a', 'b'}), "ab");  // never beyond the bytes there are
    EXPECT_EQ(modHald::BytesToString({1, 0xE9}), "\xC3\xA9");
}

TEST_F(FilesTest, ThreeSamplesOfTwentyClassesGiveTheDocumentedLayout) {
    clsVorn v;
    v.NewDataSet("layout", 1.0f, 0.5f, 20);
    v.InsertDist(1.0f);
    v.InsertDist(2.0f);
    for (int16_t i = 1; i <= 3; ++i)
        for (int16_t j = 1; j <= 20; ++j) v.setDists(i, j, static_cast<float>(i * 100 + j));
    v.Save();
    EXPECT_FALSE(v.IsDirty());
    EXPECT_EQ(v.DataSource(), 5);
    const std::string b = Bytes(v.FileName());
    ASSERT_EQ(b.size(), 1528u);
    EXPECT_EQ(b.substr(6, 4), "HALD");
    EXPECT_EQ(b[10], 4);
    EXPECT_EQ(b[11], 3);
    EXPECT_EQ(b[12], 20);
    EXPECT_EQ(SingleAt(b, 13), 1.0f);
    EXPECT_EQ(SingleAt(b, 17), 0.5f);
    EXPECT_EQ(b.substr(21, 8), "layout  ");
    EXPECT_EQ(b.substr(21 + 255 - 1, 1), " ");
    EXPECT_EQ(b[276], 3);  // the source the set had before saving
    EXPECT_EQ(b.substr(277, 27), std::string(27, '\0'));
    for (int i = 0; i < 3; ++i) {
        const std::size_t s = 304 + 408 * static_cast<std::size_t>(i);
        EXPECT_EQ(SingleAt(b, s), static_cast<float>(i));  // times 0, 1, 2
        EXPECT_EQ(SingleAt(b, s + 4 * 20), static_cast<float>((i + 1) * 100 + 20));
        for (int j = 21; j <= 101; ++j) ASSERT_EQ(SingleAt(b, s + 4 * j), -1.0f) << i << "," << j;
    }
    EXPECT_EQ(FilesInFolder(), 1u);  // no temporary file left behind
}

TEST_F(FilesTest, EditedSetSurvivesSaveAndOpenFieldForField) {
    clsVorn v;
    const std::string desc = "North Sea plaice \xE2\x80\x93 caf\xC3\xA9";  // en dash and e acute
    v.NewDataSet(desc, 12.5f, 1.25f, 7);
    v.setsTime(1, 0.125f);
    v.InsertDist(0.75f);
    v.InsertDist(0.5f);
    v.InsertDist(2.0f);
    for (int16_t i = 1; i <= 4; ++i)
        for (int16_t j = 1; j <= 7; ++j) v.setDists(i, j, 0.5f * i * j - (j == 3 ? 1E-6f : 0.0f));
    v.EraseDist(3);
    v.setDists(2, 7, 1234567.0f);
    v.Refresh();
    v.Save();

    clsVorn back;
    int events = 0;
    back.ConnectChangeOfFileNameOrDesc([&] { ++events; });
    back.OpenFile(v.FileName());
    EXPECT_GE(events, 1);
    EXPECT_EQ(back.FileName(), v.FileName());
    EXPECT_EQ(back.FileDesc().size(), desc.size() + 255 - 23);  // 23 characters, padded to 255
    EXPECT_EQ(back.FileDesc(), modHald::FixedString(desc, 255));
    EXPECT_EQ(back.DataSource(), 3);
    EXPECT_FALSE(back.IsDirty());
    EXPECT_EQ(back.Status(), 1);
    v.setFileDesc(modHald::FixedString(desc, 255));
    ExpectSameData(back, v);
    EXPECT_EQ(back.Param(1), back.maxlength());  // refreshed after reading
}

TEST_F(FilesTest, FixturesOfBothVersionsLoad) {
    clsVorn v;
    v.OpenFile(Fixture("sample.vn5"));
    EXPECT_EQ(v.FileDesc(), modHald::FixedString("Plaice survey caf\xC3\xA9 \xE2\x80\x93 1998", 255));
    EXPECT_EQ(v.NumDists(), 2);
    EXPECT_EQ(v.NumClasses(), 5);
    EXPECT_EQ(v.MinLength(), 10.0f);
    EXPECT_EQ(v.ClassSize(), 2.5f);
    EXPECT_EQ(v.sTime(2), 1.25f);
    EXPECT_EQ(v.Dists(1, 3), 12.5f);
    EXPECT_EQ(v.Dists(2, 5), 2.75f);
    EXPECT_EQ(v.NTotal(2), 27.75f);
    EXPECT_EQ(v.FNZero(1), 2.0f);
    EXPECT_EQ(v.maxlength(), 22.5f);

    v.OpenFile(Fixture("sample.vn4"));  // 41-byte description with length byte 12
    EXPECT_EQ(v.FileDesc(), "Cod, Iceland" + std::string(243, ' '));
    EXPECT_EQ(v.NumDists(), 2);
    EXPECT_EQ(v.NumClasses(), 3);
    EXPECT_EQ(v.MinLength(), 20.0f);
    EXPECT_EQ(v.ClassSize(), 5.0f);
    EXPECT_EQ(v.DataSource(), 3);
    EXPECT_EQ(v.sTime(1), 0.5f);
    EXPECT_EQ(v.Dists(2, 1), 4.5f);
    EXPECT_EQ(v.Dists(2, 3), 6.0f);

    // A length byte above 40 takes the 40 bytes there are, no more.
    std::string vn4 = Bytes(kData / "sample.vn4");
    vn4[21] = static_cast<char>(200);
    std::ofstream(dir / "long.vn4", std::ios::binary) << vn4;
    v.OpenFile((dir / "long.vn4").string());
    EXPECT_EQ(v.FileDesc().substr(0, 41), "Cod, Iceland" + std::string(28, '#') + " ");
    EXPECT_EQ(v.sTime(2), 1.5f);
}

TEST_F(FilesTest, BadFilesAreRefusedAndLeaveTheOpenSetAsItWas) {
    clsVorn v;
    const std::string good = Fixture("sample.vn5");
    v.OpenFile(good);
    v.setDists(1, 1, 42.0f);  // an unsaved edit must survive a failed open
    clsVorn before;
    before.CopyFields(v);
    before.Refresh();
    v.Refresh();
    std::string negSize = Bytes(kData / "sample.vn5");
    negSize[20] = static_cast<char>(0xC0);  // ClassSize -2.5
    std::ofstream(dir / "neg_size.vn5", std::ios::binary) << negSize;
    std::string noSamples = Bytes(kData / "sample.vn5");
    noSamples[11] = 0;
    std::ofstream(dir / "no_samples.vn5", std::ios::binary) << noSamples;

    struct Case { std::string path; int32_t number; const char* text; } cases[] = {
        {Fixture("broken_short_header.vn5"), 1009, "Wrong FileType Error"},
        {Fixture("broken_wrong_type.vn5"), 1009, "Wrong FileType Error"},
        {Fixture("other.KT2"), 1009, "Wrong FileType Error"},
        {Fixture("broken_truncated.vn5"), vbObjectError + 2253, "shorter than its header"},
        {Fixture("broken_no_classes.vn5"), vbObjectError + 2253, "length classes"},
        {Fixture("broken_102_classes.vn5"), vbObjectError + 2253, "102 length classes"},
        {(dir / "neg_size.vn5").string(), vbObjectError + 2253, "class size"},
        // Once accepted, although their bounds or totals do not fit a single.
        {Fixture("vn5_bounds_overflow.vn5"), vbObjectError + 2253, "its class bounds are too large"},
        {Fixture("vn5_total_overflow.vn5"), vbObjectError + 2253, "the counts of sample 1 add up to too large"},
        {(dir / "no_samples.vn5").string(), vbObjectError + 2253, "no samples"},
        {(dir / "missing.vn5").string(), 53, "File not found"},
    };
    for (const auto& c : cases) {
        const VbError e = ErrorOf([&] { v.OpenFile(c.path); });
        EXPECT_EQ(e.Number, c.number) << c.path;
        EXPECT_NE(e.Description.find(c.text), std::string::npos) << c.path << ": " << e.Description;
        if (c.number == vbObjectError + 2253) {
            EXPECT_EQ(e.Description.rfind("ReadObj Failure.", 0), 0u);
        }
        EXPECT_EQ(v.FileName(), good) << c.path;
        EXPECT_TRUE(v.IsDirty()) << c.path;
        ExpectSameData(v, before);
    }
    EXPECT_FALSE(vb::IsOpen(1));  // no file left open
}

TEST_F(FilesTest, BothVersionsGiveTheSamplesInTimeOrder) {
    // A text import of old kept the file's order, and such a set may have been saved.
    clsVorn v;
    v.ResizeData(4, 2);
    v.setMinLength(10.0f);
    v.setClassSize(5.0f);
    const float times[] = {2, 1, 2, 0.5f};
    for (int16_t i = 1; i <= 4; ++i) {
        v.setsTime(i, times[i - 1]);
        v.setDists(i, 1, static_cast<float>(i));
        v.setDists(i, 2, static_cast<float>(10 * i));
    }
    v.setFileDesc("unsorted");
    v.setDataSource(4);
    v.setFileName((dir / "unsorted.vn5").string());
    v.Save();
    const std::string vn5 = Bytes(v.FileName());
    ASSERT_EQ(SingleAt(vn5, 304), 2.0f);  // written as it was held
    // The same body as the previous version: type 1, a length byte and 40 characters.
    std::string vn4 = vn5.substr(0, 10) + '\x01' + vn5.substr(11, 10) + '\x08' + "unsorted";
    vn4.resize(21 + 41, ' ');
    vn4 += vn5.substr(21 + 255);
    std::ofstream(dir / "unsorted.vn4", std::ios::binary) << vn4;

    for (const char* name : {"unsorted.vn5", "unsorted.vn4"}) {
        clsVorn back;
        back.OpenFile((dir / name).string());
        ASSERT_EQ(back.NumDists(), 4) << name;
        // Sample 4 first, then 2; samples 1 and 3 share a time and keep their order.
        const float sorted[] = {0.5f, 1, 2, 2}, from[] = {4, 2, 1, 3};
        for (int16_t i = 1; i <= 4; ++i) {
            EXPECT_EQ(back.sTime(i), sorted[i - 1]) << name << " " << i;
            EXPECT_EQ(back.Dists(i, 1), from[i - 1]) << name << " " << i;
            EXPECT_EQ(back.Dists(i, 2), 10 * from[i - 1]) << name << " " << i;
            EXPECT_EQ(back.NTotal(i), 11 * from[i - 1]) << name << " " << i;
        }
        EXPECT_FALSE(back.IsDirty());
    }
}

TEST_F(FilesTest, SetsOfMoreThanFiftyTwoSamplesRoundTrip) {
    clsVorn v;
    v.NewDataSet("many", 0.0f, 1.0f, 101);
    for (int i = 2; i <= 255; ++i) v.InsertDist(static_cast<float>(i));
    v.setDists(255, 101, 7.0f);
    v.Save();
    EXPECT_EQ(fs::file_size(v.FileName()), 11u + 293u + 255u * 408u);
    clsVorn back;
    back.OpenFile(v.FileName());
    EXPECT_EQ(back.NumDists(), 255);
    EXPECT_EQ(back.Dists(255, 101), 7.0f);
}

TEST_F(FilesTest, SaveRefusesWhatTheFormatCannotHoldAndKeepsTheOldFile) {
    clsVorn v;
    v.NewDataSet("old", 0.0f, 1.0f, 3);
    v.Save();
    const std::string name = v.FileName();
    const std::string old = Bytes(name);

    struct Case { int16_t nd, nc; const char* text; } cases[] = {
        {1, 102, "at most 101"}, {256, 3, "at most 255"}, {1, 0, "no length classes"}, {0, 3, "no samples"}};
    for (const auto& c : cases) {
        clsVorn big;
        big.ResizeData(c.nd, c.nc);
        big.setClassSize(1.0f);
        big.setFileName(name);
        big.setDataSource(3);
        const VbError e = ErrorOf([&] { big.Save(); });
        EXPECT_EQ(e.Number, vbObjectError + 2254) << c.nd << "x" << c.nc;
        EXPECT_NE(e.Description.find(c.text), std::string::npos) << e.Description;
        EXPECT_EQ(Bytes(name), old);
        EXPECT_EQ(FilesInFolder(), 1u);
        EXPECT_EQ(big.DataSource(), 3);
    }

    // A failure in the middle of writing leaves the old file and no temporary file.
    clsVorn::SetSimRecordHooks({nullptr, [](clsVorn&, int16_t) {
                                    vb::Raise(61, "test");
                                }});
    v.setDataSource(2);
    v.setDists(1, 1, 5.0f);
    const VbError e = ErrorOf([&] { v.Save(); });
    EXPECT_EQ(e.Number, 61);
    EXPECT_EQ(e.Description, "Disk full: " + name);
    EXPECT_EQ(Bytes(name), old);
    EXPECT_EQ(FilesInFolder(), 1u);
    EXPECT_TRUE(v.IsDirty());
    EXPECT_EQ(v.DataSource(), 2);

    // An unwritable target folder is reported, not ignored.
    v.setFileName((dir / "no" / "such" / "folder.vn5").string());
    EXPECT_NE(ErrorOf([&] { v.Save(); }).Number, 0);
}

TEST_F(FilesTest, AWriteThatFailsOnSaveOrExportNamesTheFileAndKeepsTheOldOne) {
    clsVorn v;
    v.NewDataSet("old", 0.0f, 1.0f, 3);
    v.Save();
    const std::string data = v.FileName();
    const std::string text = (dir / "old.txt").string();
    v.ExportFile(text);
    const std::string oldData = Bytes(data), oldText = Bytes(text);
    // A larger set saved over the small one, as on a disk that filled since.
    v.InsertDist(2.0f);
    v.setDists(2, 1, 5.0f);

    // The disk has room for `room` more bytes; or the flush when the temporary file is
    // closed after its body (its second close on Save, after the header's) fails.
    constexpr std::size_t kAll = SIZE_MAX;
    const struct {
        const char* what;
        std::size_t room;
        int err;
        bool atClose;
        int32_t number;
        const char* text;
    } cases[] = {
        {"no room at all", 0, ENOSPC, false, 61, "Disk full"},
        {"room for the header only", 11, ENOSPC, false, 61, "Disk full"},
        {"a quota reached in the body", 30, EDQUOT, false, 61, "Disk full"},
        {"a full disk at closing", kAll, ENOSPC, true, 61, "Disk full"},
        {"a device error at closing", kAll, EIO, true, 57, "Device I/O error"},
    };
    for (const bool exporting : {false, true}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (exporting ? " on Export" : " on Save"));
            vb::ScopedStreamCalls restore;
            vb::StreamCalls& calls = vb::TheStreamCalls();
            std::size_t room = c.room;
            calls.write = [&, real = calls.write](const void* d, std::size_t n, std::FILE* fp) -> std::size_t {
                if (n > room) return errno = c.err, 0;
                room -= n;
                return real(d, n, fp);
            };
            int closes = 0;
            calls.close = [&, real = calls.close](std::FILE* fp) {
                const int rc = real(fp);
                const bool afterBody = ++closes == (exporting ? 1 : 2);
                return c.atClose && afterBody ? (errno = c.err, EOF) : rc;
            };
            const std::string path = exporting ? text : data;
            const VbError e = ErrorOf([&] { exporting ? v.ExportFile(text) : v.Save(); });
            EXPECT_EQ(e.Number, c.number);
            EXPECT_EQ(e.Description, std::string(c.text) + ": " + path);
            EXPECT_EQ(Bytes(data), oldData);
            EXPECT_EQ(Bytes(text), oldText);
            EXPECT_EQ(FilesInFolder(), 2u) << "no temporary file is left";
            EXPECT_TRUE(v.IsDirty());
        }
    }
}

TEST_F(FilesTest, SaveAndExportGoThroughTheOneWriter) {
    clsVorn v;
    v.NewDataSet("old", 0.0f, 1.0f, 3);
    v.Save();
    const std::string data = v.FileName();
    const std::string text = (dir / "old.txt").string();
    v.ExportFile(text);
    const std::string oldData = Bytes(data), oldText = Bytes(text);
    v.setDists(1, 1, 5.0f);

    // The disk cannot sync the new contents: both report it naming the file, keep the
    // old files and leave no temporary file; the set stays unsaved.
    {
        files::ScopedWriterCalls restore;
        files::TheWriterCalls().fsync = [](int) { return errno = EIO, -1; };
        const VbError save = ErrorOf([&] { v.Save(); });
        EXPECT_EQ(save.Number, 57);
        EXPECT_EQ(save.Description, "Device I/O error: " + data);
        EXPECT_TRUE(v.IsDirty());
        const VbError exported = ErrorOf([&] { v.ExportFile(text); });
        EXPECT_EQ(exported.Number, 57);
        EXPECT_EQ(exported.Description, "Device I/O error: " + text);
    }
    EXPECT_EQ(Bytes(data), oldData);
    EXPECT_EQ(Bytes(text), oldText);
    EXPECT_EQ(FilesInFolder(), 2u);

    // Files the user marked read-only are refused, even for the superuser.
    for (const std::string& path : {data, text}) fs::permissions(path, fs::perms(0444));
    EXPECT_EQ(ErrorOf([&] { v.Save(); }).Description, "Permission denied: " + data);
    EXPECT_EQ(ErrorOf([&] { v.ExportFile(text); }).Description, "Permission denied: " + text);
    EXPECT_EQ(Bytes(data), oldData);
    EXPECT_EQ(Bytes(text), oldText);
    EXPECT_EQ(FilesInFolder(), 2u);

    // A name of the longest legal length saves over the file of that name.
    const fs::path longName = dir / (std::string(251, 'd') + ".vn5");
    std::ofstream(longName) << "old";
    v.setFileName(longName.string());
    v.Save();
    EXPECT_FALSE(v.IsDirty());
    clsVorn back;
    back.OpenFile(longName.string());
    EXPECT_EQ(back.Dists(1, 1), 5.0f);
    EXPECT_EQ(FilesInFolder(), 3u);
}

TEST_F(FilesTest, SaveAndExportWriteNothingForASetThatBreaksTheRule) {
    clsVorn v;
    v.NewDataSet("old", 0.0f, 1.0f, 3);
    v.Save();
    const std::string name = v.FileName();
    const std::string old = Bytes(name);
    const struct {
        const char* reason;
        std::function<void(clsVorn&)> edit;
    } cases[] = {
        {"its minimum length", [](clsVorn& s) { s.setMinLength(-1.0f); }},
        {"its class size", [](clsVorn& s) { s.setClassSize(0.0f); }},
        {"its class size is too small", [](clsVorn& s) { s.setMinLength(1E+7f); }},
        {"its class bounds are too large", [](clsVorn& s) { s.setClassSize(1E+38f); }},
        {"sample 1 has an invalid time", [](clsVorn& s) { s.setsTime(1, std::nanf("")); }},
        {"invalid count in class 2", [](clsVorn& s) { s.setDists(1, 2, INFINITY); }},
        {"the counts of sample 1", [](clsVorn& s) { s.setDists(1, 1, 3E+38f), s.setDists(1, 3, -3E+38f); }},
    };
    for (const auto& c : cases) {
        clsVorn bad;
        bad.CopyFields(v);
        c.edit(bad);
        const VbError save = ErrorOf([&] { bad.Save(); });
        EXPECT_EQ(save.Number, vbObjectError + 2254) << c.reason;
        EXPECT_NE(save.Description.find(c.reason), std::string::npos) << save.Description;
        EXPECT_EQ(Bytes(name), old);
        const VbError exported = ErrorOf([&] { bad.ExportFile((dir / "out.txt").string()); });
        EXPECT_EQ(exported.Description.rfind("The data set cannot be exported: ", 0), 0u) << exported.Description;
        EXPECT_NE(exported.Description.find(c.reason), std::string::npos) << exported.Description;
        EXPECT_EQ(FilesInFolder(), 1u);
    }
}

TEST_F(FilesTest, SimulationRecordIsWrittenBehindTheBodyAndReadOnlyWhenPresent) {
    std::vector<int32_t> readAt;
    clsVorn::SetSimRecordHooks({[&](clsVorn& set, int32_t position) {
                                    EXPECT_EQ(set.DataSource(), 2);
                                    readAt.push_back(position);
                                },
                                [](clsVorn&, int16_t f) { vb::PutBytes(f, std::vector<uint8_t>(97, 0xAB)); }});
    clsVorn v;
    v.NewDataSet("simulated", 0.0f, 1.0f, 4);
    v.setDataSource(2);
    v.Save();
    EXPECT_EQ(v.DataSource(), 5);
    const std::string b = Bytes(v.FileName());
    ASSERT_EQ(b.size(), 11u + 293u + 408u + 97u);
    EXPECT_EQ(b[276], 2);
    clsVorn back;
    back.OpenFile(v.FileName());
    EXPECT_EQ(readAt, (std::vector<int32_t>{11 + 293 + 408 + 1}));

    // Saved without a record (no writer plugged in): the reader is not asked to read
    // past the end of the file, and the set still loads.
    clsVorn::SetSimRecordHooks({[&](clsVorn&, int32_t position) { readAt.push_back(position); }, nullptr});
    v.setDataSource(2);
    v.Save();
    EXPECT_EQ(fs::file_size(v.FileName()), 11u + 293u + 408u);
    back.OpenFile(v.FileName());
    EXPECT_EQ(readAt.size(), 1u);
    EXPECT_EQ(back.DataSource(), 2);
}
