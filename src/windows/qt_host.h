// The real platform with a screen: SystemHost plus the monitors and the Ctrl/Shift state.
#pragma once

#include "foundation/host.h"

namespace dravn {

class QtHost : public SystemHost {
  public:
    using SystemHost::SystemHost;
    // Every screen's geometry and available geometry, the primary screen first.
    std::vector<Monitor> monitors() const override;
    bool ctrlKeyDown() const override;
    bool shiftKeyDown() const override;
};

}  // namespace dravn
