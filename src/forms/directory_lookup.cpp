#include "forms/directory_lookup.h"

#include "foundation/foundation.h"
#include "session/session.h"

namespace dravn {

bool LookupUserInDirectory(Foundation& foundation, Session& /*session*/, const std::string& email,
                           const std::string& /*password*/, const std::string& card) {
    if (email.empty() && card.empty())
        return false;
    foundation.LogLine("SQLUNIT: Hent brukar i skyen: " + email);
    return false;
}

}  // namespace dravn
