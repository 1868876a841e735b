#include "foundation/usage_counters.h"

#include "foundation/settings.h"

namespace dravn {

void UsageCounters::Load(const Settings&) {}
void UsageCounters::Save(Settings&) const {}
int UsageCounters::Count(std::string_view) const {
    return 0;
}
void UsageCounters::Increment(std::string_view) {}

}  // namespace dravn
