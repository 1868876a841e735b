// The suite's module usage counters, kept as whole numbers in the section "STANDARD".
// Loaded at start and written back at the end (a missing key is created with 0).
#pragma once

#include <array>
#include <string_view>

namespace dravn {

class Settings;

class UsageCounters {
  public:
    static constexpr std::array<const char*, 23> Keys = {
        "pi_UseTodo",        "pi_UseOffer",   "pi_UseOrder",       "pi_UsePO",          "pi_UseAsset",
        "pi_UseProduct",     "pi_UseUser",    "pi_UseCalendar",    "pi_UseAccount",     "pi_UseDocument",
        "pi_UseDeviation",   "pi_UseMeeting", "pi_UseProject",     "pi_UseCertificate", "pi_UseInvoice",
        "pi_UseNews",        "pi_UseJob",     "pi_UseWorkPermit",  "pi_UseItems",       "pi_UseEntries",
        "pi_UseMeetingCase", "pi_UseComment", "pi_UseProductGroup"};

    // Reads every count (absent or not a number: 0), in key order.
    void Load(const Settings& settings);
    // Writes every count, in key order.
    void Save(Settings& settings) const;

    // The count of a key (case does not matter); 0 for an unknown key.
    int Count(std::string_view key) const;
    void Increment(std::string_view key);

  private:
    std::array<int, 23> counts_{};
};

}  // namespace dravn
