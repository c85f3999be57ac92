#include "IObjectIO.h"

// Out of line so that the interface has one home for its type information, shared by
// every library whose objects implement it.
IObjectIO::~IObjectIO() = default;
