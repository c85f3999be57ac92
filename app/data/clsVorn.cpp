#include "clsVorn.h"

#include <algorithm>

clsVorn::clsVorn() = default;

clsVorn::~clsVorn() = default;

int clsVorn::ConnectChangeOfFileNameOrDesc(std::function<void()> handler) {
    const int id = mNextHandlerId++;
    mChangeHandlers.emplace_back(id, std::move(handler));
    return id;
}

void clsVorn::DisconnectChangeOfFileNameOrDesc(int id) {
    std::erase_if(mChangeHandlers, [id](const auto& h) { return h.first == id; });
}

void clsVorn::RaiseChange() {
    // A handler may disconnect itself while it runs: walk a copy.
    const auto handlers = mChangeHandlers;
    for (const auto& h : handlers) {
        if (h.second) h.second();
    }
}

void clsVorn::setFileDesc(const std::string& v) {
    mFileDesc = v;
    RaiseChange();
    mIsDirty = true;
}

void clsVorn::setFileName(const std::string& v) {
    mFileName = v;
    RaiseChange();
}
