// The installed charting library.
#include "chart/ChartLibrary.h"
#include "chart/ChartModel.h"

namespace chart {
namespace {
ChartModel& DefaultLibrary() {
    static ChartModel model;  // records nothing
    return model;
}
ChartLibrary* g_library = nullptr;
}  // namespace

ChartLibrary& Chart() { return g_library ? *g_library : DefaultLibrary(); }

ChartLibrary* SetChart(ChartLibrary* library) {
    ChartLibrary* previous = g_library ? g_library : &DefaultLibrary();
    g_library = library;
    return previous;
}

}  // namespace chart
