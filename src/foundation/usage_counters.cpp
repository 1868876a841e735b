#include "foundation/usage_counters.h"

#include "foundation/settings.h"
#include "foundation/text_date.h"

namespace dravn {
namespace {

constexpr const char* kSection = "STANDARD";

}  // namespace

void UsageCounters::Load(const Settings& settings) {
    for (size_t i = 0; i < Keys.size(); ++i)
        counts_[i] = settings.SettingsFile().ReadInteger(kSection, Keys[i], 0);
}

void UsageCounters::Save(Settings& settings) const {
    for (size_t i = 0; i < Keys.size(); ++i)
        settings.SettingsFile().WriteInteger(kSection, Keys[i], counts_[i]);
}

int UsageCounters::Count(std::string_view key) const {
    for (size_t i = 0; i < Keys.size(); ++i)
        if (SameTextIgnoringCase(Keys[i], key))
            return counts_[i];
    return 0;
}

void UsageCounters::Increment(std::string_view key) {
    for (size_t i = 0; i < Keys.size(); ++i)
        if (SameTextIgnoringCase(Keys[i], key))
            ++counts_[i];
}

}  // namespace dravn
