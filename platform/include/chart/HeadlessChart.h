#ifndef HEADLESSCHART_H
#define HEADLESSCHART_H
// A charting library without windows that records every call, for tests and benchmarks.
#include "chart/ChartModel.h"

namespace chart {

// Installs a recording ChartModel for the life of the object and restores the previous one.
class ScopedHeadlessChart {
public:
    ScopedHeadlessChart() : previous_(SetChart(&model_)) { model_.recording = true; }
    ~ScopedHeadlessChart() { SetChart(previous_); }
    ScopedHeadlessChart(const ScopedHeadlessChart&) = delete;
    ScopedHeadlessChart& operator=(const ScopedHeadlessChart&) = delete;
    ChartModel* operator->() { return &model_; }
    ChartModel& get() { return model_; }

private:
    ChartModel model_;
    ChartLibrary* previous_;
};

}  // namespace chart

#endif
