#include "foundation/foundation.h"

namespace dravn {

Foundation::Foundation(Host& host, UserInteraction& ui)
    : host_(host), ui_(ui), textDate_(host), log_(*this), settings_(*this), folders_(*this) {}

void Foundation::Start() {
    textDate_.Start(log_.StartupTrace());
    vt_reg_Start();
}
void Foundation::vt_reg_Start() {}
void Foundation::vt_reg_Stop() {}
void Foundation::FinishProgram() {}

}  // namespace dravn
