#ifndef OBJECTSVIEWFACTORY_H
#define OBJECTSVIEWFACTORY_H
// Where the dialog classes of this library get their windows. The program installs the
// Qt windows; without them every dialog is a window nobody sees, which answers Cancel.
#include <functional>
#include <memory>

#include "IInputBoxView.h"
#include "IMultiPickItemView.h"
#include "IPickItemView.h"
#include "ISetRangeView.h"

struct ObjectsViewFactory {
    std::function<std::unique_ptr<IPickItemView>()> pickItem;
    std::function<std::unique_ptr<IMultiPickItemView>()> multiPickItem;
    std::function<std::unique_ptr<ISetRangeView>()> setRange;
    std::function<std::unique_ptr<IInputBoxView>()> inputBox;
};

// Installs the factory and returns the previous one; an empty member means the
// headless window for that dialog.
ObjectsViewFactory SetObjectsViewFactory(ObjectsViewFactory factory);

std::unique_ptr<IPickItemView> CreatePickItemView();
std::unique_ptr<IMultiPickItemView> CreateMultiPickItemView();
std::unique_ptr<ISetRangeView> CreateSetRangeView();
std::unique_ptr<IInputBoxView> CreateInputBoxView();

#endif
