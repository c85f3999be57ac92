// The runtime's program-wide state (the installed forms service, chart library and printer,
// the random generator, the file-number table) must exist once in the process: a component
// library that carried its own copy would not see what the program installs.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "GraphingTypes.h"
#include "Hald_Error.h"
#include "chart/ChartLibrary.h"
#include "clsContour.h"
#include "forms/HeadlessForms.h"
#include "print/Printer.h"
#include "vb/VbFile.h"
#include "vb/VbRuntime.h"

namespace {

// The component libraries that use the runtime.
const char* const kLibraries[] = {
    "libVorn5_Error_Class.so", "libVorn5_Log.so",    "libVorn5_Progress.so",
    "libVorn5_Objects.so",     "libVorn5_Regression.so", "libVorn5_NelMead.so",
    "libVorn5_Solver.so",      "libVorn5_GraphingTools.so",
};

// The runtime functions that own the state, with the addresses the program calls.
std::vector<std::pair<const char*, void*>> StateOwners() {
    float (*rnd)() = &vb::Rnd;
    int16_t (*freeFile)() = &vb::FreeFile;
    return {{"forms::Forms", reinterpret_cast<void*>(&forms::Forms)},
            {"forms::SetForms", reinterpret_cast<void*>(&forms::SetForms)},
            {"chart::Chart", reinterpret_cast<void*>(&chart::Chart)},
            {"print::ThePrinter", reinterpret_cast<void*>(&print::ThePrinter)},
            {"vb::Rnd", reinterpret_cast<void*>(rnd)},
            {"vb::FreeFile", reinterpret_cast<void*>(freeFile)}};
}

}  // namespace

TEST(SingleState, EveryLibraryBindsTheRuntimeToTheProgramsCopy) {
    for (const char* name : kLibraries) {
        void* library = dlopen(name, RTLD_NOW);
        ASSERT_NE(library, nullptr) << dlerror();
        for (const auto& [what, address] : StateOwners()) {
            Dl_info info{};
            ASSERT_NE(dladdr(address, &info), 0) << what;
            ASSERT_NE(info.dli_sname, nullptr) << what;
            // The loader's answer from inside the library: its own definition if it has one.
            EXPECT_EQ(dlsym(library, info.dli_sname), address) << what << " as seen from " << name;
        }
        dlclose(library);
    }
}

TEST(SingleState, MessagesFromTheLibrariesReachTheInstalledService) {
    forms::ScopedHeadlessForms installed;
    Hald_Error handler;
    handler.ShowMessage("Shown by the error handler", forms::vbOKOnly, std::string("Error library"));
    clsContour plot;
    plot.setContourColors(1, GrColor::red);  // before AddContourPlot: the plot says so in a box

    ASSERT_EQ(installed->messages.size(), 2u);
    EXPECT_EQ(installed->messages[0].prompt.rfind("Shown by the error handler", 0), 0u);
    EXPECT_EQ(installed->messages[1].prompt,
              "You Must Call Method clsContour.AddContourPlot before trying to assign Colours!");
}
