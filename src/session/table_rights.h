// Per-table rights read from a staff member's rights text, entries of the form
// key + "=" + letters + ";" (for example "document=RW;system=RWA;").
#pragma once

#include <string>
#include <string_view>

namespace dravn {

// The key under which the rights of a table are kept: some tables share the rights of another
// ("comments" those of "calendar", the document tables those of "document", ...); every other
// table is its own key. Names are compared exactly, letter case included.
std::string TableRightsKey(std::string_view table);

// True when the rights text grants the letter for the key. The key is found as a plain substring
// (its first occurrence decides, also inside a longer key, as the suite's other programs read the
// same texts); the letters are those between the first "=" and the first ";" after it.
bool HasTableRight(std::string_view rights, std::string_view key, char letter);

}  // namespace dravn
