#ifndef DEFERREDERRORS_H
#define DEFERREDERRORS_H
// Error reports of a thread that must not touch windows or the error log (a worker that
// scores grid nodes). While a DeferredErrors lives on a thread, Hald_Error::HandleError on
// that thread keeps what it would show and log in the given list instead; Replay, on the
// window's thread, reports the list in the order it was made.
#include <optional>
#include <string>
#include <vector>

#include "Hald_Error.h"
#include "vb/VbError.h"

struct DeferredError {
    VbError Error;
    std::optional<std::string> Title;
    Hald_Error::Report How = Hald_Error::ShowAndLog;
};

class DeferredErrors {
public:
    explicit DeferredErrors(std::vector<DeferredError>& into);
    ~DeferredErrors();
    DeferredErrors(const DeferredErrors&) = delete;
    DeferredErrors& operator=(const DeferredErrors&) = delete;

    // The list this thread's reports go to, or nullptr when they are made at once.
    static std::vector<DeferredError>* Target();
    // Reports each kept error through Hald_Error on the calling thread, then empties the list.
    static void Replay(std::vector<DeferredError>& reports);

private:
    std::vector<DeferredError>* previous_;
};

#endif
