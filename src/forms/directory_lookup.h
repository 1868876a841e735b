// The directory lookup that turns an e-mail logon or an ID-card logon into the company's
// connection settings. The directory server is not reachable from this build yet: the lookup
// logs the attempt and reports that it found nobody, so such logons go on to the settings saved
// by an earlier lookup (ConnectOffline) or end as a failed attempt.
#pragma once

#include <string>

namespace dravn {

class Session;
class Foundation;

// True when the user was found and ConnectionSettings filled for the next iConnect.
bool LookupUserInDirectory(Foundation& foundation, Session& session, const std::string& email,
                           const std::string& password, const std::string& card);

}  // namespace dravn
