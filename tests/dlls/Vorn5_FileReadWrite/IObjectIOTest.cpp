#include "IObjectIO.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "vb/VbError.h"
#include "vb/VbFile.h"
#include "ScratchPath.h"

namespace {

// A minimal implementer: one Long and one Single, written where the caller's file stands.
class Pair : public IObjectIO {
public:
    int32_t n = 0;
    float x = 0;

    void setFNo(int16_t v) override { fno_ = v; }
    int16_t FNo() const override { return fno_; }
    void setBinaryIO(bool b) override { binary_ = b; }
    bool BinaryIO() const override { return binary_; }
    std::string Source() const override { return source_; }
    void setSource(const std::string& s) override { source_ = s; }
    std::string Target() const override { return target_; }
    void setTarget(const std::string& s) override { target_ = s; }

    IOStatus WriteMe() override {
        vb::PutLong(fno_, n);
        vb::PutSingle(fno_, x);
        return eioSuccess;
    }
    IOStatus ReadMe() override {
        try {
            n = vb::GetLong(fno_);
            x = vb::GetSingle(fno_);
        } catch (const VbError&) {
            return eioFail;
        }
        return eioSuccess;
    }

private:
    int16_t fno_ = 0;
    bool binary_ = false;
    std::string source_, target_;
};

// The caller's side of the protocol: it opens and closes, the object reads or writes.
IOStatus drive(IObjectIO& obj, bool save) {
    const std::string path = save ? obj.Target() : obj.Source();
    int16_t f = vb::FreeFile();
    obj.setFNo(f);
    vb::Open(path, vb::OpenMode::Binary, f, save ? vb::OpenAccess::Write : vb::OpenAccess::Read);
    IOStatus s = save ? obj.WriteMe() : obj.ReadMe();
    vb::Close(f);
    return s;
}

}  // namespace

TEST(IObjectIO, StatusValuesAndARoundTripThroughTheCallersFile) {
    EXPECT_EQ(int(eioAbort), 0);
    EXPECT_EQ(int(eioFail), 1);
    EXPECT_EQ(int(eioSkip), 2);
    EXPECT_EQ(int(eioSuccess), 3);

    const std::string path = testsupport::ScratchPath("vorn5-objectio.bin").string();
    std::filesystem::remove(path);
    Pair out;
    out.n = 123456;
    out.x = 0.25f;
    out.setBinaryIO(true);
    out.setTarget(path);
    ASSERT_EQ(drive(out, true), eioSuccess);
    EXPECT_FALSE(vb::IsOpen(out.FNo())) << "the caller closed the file";
    EXPECT_EQ(std::filesystem::file_size(path), 8u);

    Pair in;
    in.setBinaryIO(true);
    in.setSource(path);
    ASSERT_EQ(drive(in, false), eioSuccess);
    EXPECT_EQ(in.n, 123456);
    EXPECT_EQ(in.x, 0.25f);
    EXPECT_EQ(in.Source(), path) << "properties stay set after the operation";

    std::filesystem::resize_file(path, 6);
    Pair shortRead;
    shortRead.setSource(path);
    EXPECT_EQ(drive(shortRead, false), eioFail);
    std::filesystem::remove(path);
}
