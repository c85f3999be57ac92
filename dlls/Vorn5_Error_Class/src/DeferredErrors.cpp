#include "DeferredErrors.h"

#include "Hald_Error.h"

namespace {
thread_local std::vector<DeferredError>* target = nullptr;
}  // namespace

DeferredErrors::DeferredErrors(std::vector<DeferredError>& into) : previous_(target) { target = &into; }

DeferredErrors::~DeferredErrors() { target = previous_; }

std::vector<DeferredError>* DeferredErrors::Target() { return target; }

void DeferredErrors::Replay(std::vector<DeferredError>& reports) {
    std::vector<DeferredError> due;
    due.swap(reports);
    for (const DeferredError& r : due) Hald_Error().HandleError(r.Error, r.Title, r.How);
}
