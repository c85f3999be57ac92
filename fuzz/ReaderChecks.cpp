#include "ReaderChecks.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "clsELEFAN.h"
#include "clsPROJMAT.h"
#include "clsSLCA.h"
#include "clsVorn.h"
#include "vb/VbError.h"
#include "vb/VbFile.h"
#include "vb/VbRuntime.h"

namespace fs = std::filesystem;

namespace readerchecks {
namespace {

[[noreturn]] void Broken(const std::string& what) {
    std::fprintf(stderr, "\nBroken promise: %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

void Expect(bool holds, const std::string& what) {
    if (!holds) Broken(what);
}

std::string Num(double v) { return vb::CStr(v); }

// A number written with seven significant digits and read back as a single.
bool Near7(double expected, double actual, double scale) {
    return std::fabs(actual - expected) <= 6E-7 * scale + 1.5E-45;
}

// Where the checks write: a folder of its own, so nothing left behind goes unseen.
std::string OutFolder() {
    const std::string folder = WorkFolder() + "/out";
    fs::create_directories(folder);
    return folder;
}

void ExpectEmptyOutFolder(const char* after) {
    Expect(fs::is_empty(OutFolder()), std::string("files left behind after ") + after);
}

// The description as a data file stores it: 255 characters of the code page.
std::string StoredDescription(const std::string& desc) {
    std::string bytes = vb::Utf8ToCp1252(desc).substr(0, 255);
    bytes.resize(255, ' ');
    return vb::Cp1252ToUtf8(bytes);
}

// ---- save and open again ----

void CheckSaveAndReopen(clsVorn& set) {
    const std::string path = OutFolder() + "/saved.vn5";
    const bool fits = set.NumDists() <= clsVorn::kMaxFileDists && set.NumClasses() <= clsVorn::kMaxFileClasses &&
                      set.DataSource() >= 0 && set.DataSource() <= 255;
    const int32_t source = set.DataSource();
    set.setFileName(path);
    try {
        set.Save();
    } catch (const VbError& e) {
        Expect(!fits, "Save refused a set the file can hold: " + e.Description);
        Expect(e.Number == vbObjectError + 2254, "Save refused with another error: " + e.Description);
        ExpectEmptyOutFolder("a refused Save");
        return;
    }
    Expect(fits, "Save wrote a set the file cannot hold");

    clsVorn back;
    try {
        back.OpenFile(path);
    } catch (const VbError& e) {
        Broken("the saved file does not open: " + e.Description);
    }
    Expect(back.NumDists() == set.NumDists() && back.NumClasses() == set.NumClasses(), "reopening changed the shape");
    Expect(back.MinLength() == set.MinLength() && back.ClassSize() == set.ClassSize(),
           "reopening changed the classes");
    Expect(back.DataSource() == source, "reopening changed the source");
    Expect(back.FileDesc() == StoredDescription(set.FileDesc()), "reopening changed the description");
    for (int16_t i = 1; i <= set.NumDists(); ++i) {
        Expect(back.sTime(i) == set.sTime(i), "reopening changed the time of sample " + Num(i));
        for (int16_t j = 1; j <= set.NumClasses(); ++j) {
            Expect(back.Dists(i, j) == set.Dists(i, j), "reopening changed count " + Num(i) + "," + Num(j));
        }
    }
    fs::remove(path);
    ExpectEmptyOutFolder("Save");
}

// ---- export and import again ----

// Bound j of the import comes from the first two bounds as written (seven digits each):
// its error grows with j.
bool BoundNear(const clsVorn& set, const clsVorn& back, int16_t j) {
    const double b1 = std::fabs(set.LBounds(1));
    const double b2 = set.NumClasses() > 1 ? std::fabs(set.LBounds(2)) : 0.0;
    const double bj = std::fabs(set.LBounds(j));
    const double tol = 6E-7 * (b1 + (j - 1) * (b1 + b2)) + 3E-7 * bj + 1.5E-45;
    return std::fabs(static_cast<double>(back.LBounds(j)) - set.LBounds(j)) <= tol;
}

// Whether the text layout cannot carry the set: it gives the class size only as the step
// between the first two bounds, and import must find the rule kept by the numbers as
// written (seven digits).
bool TextCannotCarry(const clsVorn& set) {
    if (set.NumClasses() < 2) return true;
    const auto written = [](float v) { return vb::CSng(vb::Trim(vb::Str(v))); };
    clsVorn copy;
    copy.ResizeData(set.NumDists(), set.NumClasses());
    copy.setMinLength(written(set.MinLength()));
    copy.setClassSize(written(set.ClassSize() + set.MinLength()) - copy.MinLength());
    for (int16_t i = 1; i <= set.NumDists(); ++i) {
        copy.setsTime(i, written(set.sTime(i)));
        for (int16_t j = 1; j <= set.NumClasses(); ++j) copy.setDists(i, j, written(set.Dists(i, j)));
    }
    return !copy.ContentFault().empty();
}

void CheckExportAndImport(clsVorn& set) {
    const std::string path = OutFolder() + "/exported.txt";
    try {
        set.ExportFile(path);
    } catch (const VbError& e) {
        Expect(TextCannotCarry(set), "an accepted set could not be exported: " + e.Description);
        Expect(e.Number == vbObjectError + 2254 && e.Description.rfind("The data set cannot be exported: ", 0) == 0,
               "Export refused with another error: " + e.Description);
        ExpectEmptyOutFolder("a refused ExportFile");
        return;
    }
    Expect(!TextCannotCarry(set), "Export wrote a set the text cannot carry");
    // Into a fresh set, as File > Open reads it: nothing of an earlier set helps.
    clsVorn back;
    try {
        back.OpenFile(path);
    } catch (const VbError& e) {
        Broken("the exported file does not import: " + e.Description);
    }
    Expect(back.NumDists() == set.NumDists() && back.NumClasses() == set.NumClasses(), "the text changed the shape");
    Expect(Near7(set.MinLength(), back.MinLength(), std::fabs(set.MinLength())), "the text changed the minimum length");
    for (int16_t j = 1; j <= set.NumClasses() + 1; ++j) {
        Expect(BoundNear(set, back, j), "the text moved class bound " + Num(j));
    }
    for (int16_t i = 1; i <= set.NumDists(); ++i) {
        Expect(Near7(set.sTime(i), back.sTime(i), std::fabs(set.sTime(i))), "the text changed time " + Num(i));
        double magnitude = 0;
        for (int16_t j = 1; j <= set.NumClasses(); ++j) {
            const float c = set.Dists(i, j);
            magnitude += std::fabs(c);
            Expect(Near7(c, back.Dists(i, j), std::fabs(c)), "the text changed count " + Num(i) + "," + Num(j));
        }
        const double tol = (6E-7 + (set.NumClasses() + 2) * 1.2E-7) * magnitude;
        Expect(std::fabs(static_cast<double>(back.NTotal(i)) - set.NTotal(i)) <= tol + 1E-44,
               "the text changed the total of sample " + Num(i));
    }

    // The first line holds the trimmed description on one line, in the code page; import
    // reads it as UTF-8 where it is well-formed, else in the code page.
    std::string desc = set.FileDesc();
    for (char& c : desc) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    std::string line = vb::Utf8ToCp1252(vb::Trim(desc));
    if (line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
    Expect(back.FileDesc() == (vb::IsValidUtf8(line) ? line : vb::Cp1252ToUtf8(line)),
           "the text changed the description");
    fs::remove(path);
    ExpectEmptyOutFolder("ExportFile");
}

// ---- scoring ----

// Sets of the size real samples have (counts of 0 or of 1E-5 to a million fish, times
// within a century, classes not too fine): every method must score them. Beyond that a
// method may stop with the runtime's overflow or invalid-argument error, as the searches
// expect (the reciprocal of a total below 3E-39 fish overflows a single, for one).
bool Ordinary(const clsVorn& set) {
    if (!(set.maxlength() <= 1E+5f) || !(set.ClassSize() >= 1E-4f * set.maxlength())) return false;
    for (int16_t i = 1; i <= set.NumDists(); ++i) {
        if (!(std::fabs(set.sTime(i)) <= 100.0f)) return false;
        for (int16_t j = 1; j <= set.NumClasses(); ++j) {
            const float c = set.Dists(i, j);
            if (!(c == 0.0f || (c >= 1E-5f && c <= 1E+6f))) return false;
        }
    }
    return true;
}

void CheckScoring(clsVorn& set) {
    const bool ordinary = Ordinary(set);
    const char* const names[] = {"SLCA", "PROJMAT", "ELEFAN"};
    for (int method = 0; method < 3; ++method) {
        if (method == 1 && set.NumDists() < 2) continue;  // PROJMAT compares pairs of samples
        std::unique_ptr<IMeth> m;
        if (method == 0) m = std::make_unique<clsSLCA>();
        else if (method == 1) m = std::make_unique<clsPROJMAT>();
        else m = std::make_unique<clsELEFAN>();
        float score = 0, t0 = 0;
        try {
            m->Create(set);
            m->CalcScoreT0(0.5f, 1.1f * set.maxlength(), score, t0);
        } catch (const VbError& e) {
            const bool arithmetic = e.Number == 5 || e.Number == 6 || e.Number == 10 || e.Number == 11;
            Expect(!ordinary && arithmetic,
                   std::string(names[method]) + " failed: " + Num(e.Number) + " " + e.Description + " in " + e.Source);
            continue;
        }
        Expect(std::isfinite(score) && std::isfinite(t0), std::string(names[method]) + " gave no number");
    }
}

}  // namespace

const std::string& WorkFolder() {
    // Kept to the very end: the exit handler that removes the folder still reads its name.
    static const std::string& folder = *new std::string([] {
        std::string templ = (fs::temp_directory_path() / "vorn-fuzz-XXXXXX").string();
        if (!::mkdtemp(templ.data())) Broken("no work folder");
        std::atexit([] {
            std::error_code ec;
            fs::remove_all(WorkFolder(), ec);
        });
        return templ;
    }());
    return folder;
}

void CheckAccepted(clsVorn& set) {
    const std::string fault = set.ContentFault();
    Expect(fault.empty(), "a reader accepted a set that breaks the rule: " + fault);
    for (int16_t i = 2; i <= set.NumDists(); ++i) {
        Expect(set.sTime(i - 1) <= set.sTime(i), "a reader gave sample " + Num(i) + " before an earlier time");
    }
    CheckScoring(set);
    CheckExportAndImport(set);
    CheckSaveAndReopen(set);  // last: it renames the set and marks it saved
}

}  // namespace readerchecks
