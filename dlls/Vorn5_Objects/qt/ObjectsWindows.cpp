#include "ObjectsWindows.h"

#include "ObjectsViewFactory.h"
#include "frmInputBox.h"
#include "frmMultiPickItem.h"
#include "frmPickItem.h"
#include "frmSetRange.h"

void InstallQtObjectsWindows() {
    ObjectsViewFactory factory;
    factory.pickItem = [] { return std::make_unique<frmPickItem>(); };
    factory.multiPickItem = [] { return std::make_unique<frmMultiPickItem>(); };
    factory.setRange = [] { return std::make_unique<frmSetRange>(); };
    factory.inputBox = [] { return std::make_unique<frmInputBox>(); };
    SetObjectsViewFactory(std::move(factory));
}
