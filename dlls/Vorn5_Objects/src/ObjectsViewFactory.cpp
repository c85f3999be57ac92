#include "ObjectsViewFactory.h"

#include "MultiPickTable.h"

namespace {

// Windows nobody sees: showing one is the same as cancelling it at once.
class HeadlessPickItem : public IPickItemView {
public:
    void SetCaption(const std::string&) override {}
    void SetLabel(const std::string&) override {}
    void setvntListContents(const std::vector<std::string>&) override {}
    void ShowModal() override {}
    bool mblnOK() const override { return false; }
    int16_t intChosen() const override { return 0; }
    std::string strChosen() const override { return {}; }
};

class HeadlessMultiPickItem : public IMultiPickItemView {
public:
    void SetCaption(const std::string&) override {}
    void SetUnPickedLabel(const std::string&) override {}
    void SetPickedLabel(const std::string&) override {}
    void SetLabel(const std::string&) override {}
    MultiPickTable& Table() override { return table_; }
    void RefreshListBoxes() override {}
    void ShowModal() override {}
    bool bOK() const override { return false; }

private:
    MultiPickTable table_;
};

class HeadlessSetRange : public ISetRangeView {
public:
    void Load(float low, float high) override { low_ = low, high_ = high; }
    void SetCaption(const std::string&) override {}
    void SetRangeLabel(const std::string&) override {}
    void SetHiLabel(const std::string&) override {}
    void SetLoLabel(const std::string&) override {}
    void ShowModal() override {}
    bool mblnOK() const override { return false; }
    float sngLow() const override { return low_; }
    float sngHigh() const override { return high_; }

private:
    float low_ = 0.0f, high_ = 0.0f;
};

class HeadlessInputBox : public IInputBoxView {
public:
    void SetText(const std::string& text) override { text_ = text; }
    std::string Text() const override { return text_; }
    void ShowModal() override {}
    bool blnOK() const override { return false; }

private:
    std::string text_;
};

ObjectsViewFactory& installed() {
    static ObjectsViewFactory factory;
    return factory;
}

template <typename Headless, typename Make>
auto Create(const Make& make) -> decltype(make()) {
    if (make) return make();
    return std::make_unique<Headless>();
}

}  // namespace

ObjectsViewFactory SetObjectsViewFactory(ObjectsViewFactory factory) {
    ObjectsViewFactory previous = std::move(installed());
    installed() = std::move(factory);
    return previous;
}

std::unique_ptr<IPickItemView> CreatePickItemView() { return Create<HeadlessPickItem>(installed().pickItem); }

std::unique_ptr<IMultiPickItemView> CreateMultiPickItemView() {
    return Create<HeadlessMultiPickItem>(installed().multiPickItem);
}

std::unique_ptr<ISetRangeView> CreateSetRangeView() { return Create<HeadlessSetRange>(installed().setRange); }

std::unique_ptr<IInputBoxView> CreateInputBoxView() { return Create<HeadlessInputBox>(installed().inputBox); }
