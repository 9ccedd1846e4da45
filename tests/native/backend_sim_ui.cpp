#include "platform/sim/sim_ui.h"
#include "support/backend.h"

namespace scrivlet::test {

std::unique_ptr<ui::UiBackend> makeUiBackend() { return std::make_unique<SimUi>(); }

}  // namespace scrivlet::test
