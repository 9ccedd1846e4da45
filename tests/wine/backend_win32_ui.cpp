// The toolkit contract's back-end under Wine: real windows, and every
// doEvents() reads the controls back from them, as the user's actions would
// report them, so that the contract holds the native controls too.
#include "platform/win32/win32_ui.h"
#include "support/backend.h"

namespace scrivlet::test {

namespace {

class ReadBackWin32Ui : public Win32Ui {
public:
    void doEvents() override {
        Win32Ui::doEvents();
        syncFromNative();
    }
};

}  // namespace

std::unique_ptr<ui::UiBackend> makeUiBackend() { return std::make_unique<ReadBackWin32Ui>(); }

}  // namespace scrivlet::test
