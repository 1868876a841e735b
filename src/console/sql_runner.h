// How the console's operations run a statement that returns no rows: through the session's
// RunSQL, which logs "RunSQL: " + statement and lets a server error (SqlError) reach the caller.
#pragma once

#include <functional>
#include <string>

namespace dravn {

using RunSqlFn = std::function<bool(const std::string& statement)>;

}  // namespace dravn
