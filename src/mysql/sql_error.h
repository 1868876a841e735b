// The one exception type of the client layer: errors raised by the server and by the client
// library alike arrive as SqlError with the error number, the SQL state and the text.
#pragma once

#include <stdexcept>
#include <string>

namespace dravn {

class SqlError : public std::runtime_error {
  public:
    SqlError(unsigned number, std::string sqlState, const std::string& text)
        : std::runtime_error(text), number_(number), sqlState_(std::move(sqlState)) {}

    // Server error number (1000-1999, 3000+) or client error number (2000-2999); 0 for errors
    // raised by this layer itself.
    unsigned number() const { return number_; }
    // Five-character SQL state, "HY000" when there is none more specific.
    const std::string& sqlState() const { return sqlState_; }

  private:
    unsigned number_;
    std::string sqlState_;
};

// Error numbers this program looks at.
namespace sqlerr {
inline constexpr unsigned NoDatabaseSelected = 1046;  // ER_NO_DB_ERROR
inline constexpr unsigned UnknownDatabase = 1049;     // ER_BAD_DB_ERROR
inline constexpr unsigned AccessDenied = 1045;        // ER_ACCESS_DENIED_ERROR
inline constexpr unsigned NoSuchTable = 1146;         // ER_NO_SUCH_TABLE
inline constexpr unsigned UnsupportedPrepare = 1295;  // ER_UNSUPPORTED_PS
inline constexpr unsigned ParseError = 1064;          // ER_PARSE_ERROR
inline constexpr unsigned CannotConnect = 2002;       // CR_CONNECTION_ERROR
inline constexpr unsigned ConnectionHost = 2003;      // CR_CONN_HOST_ERROR
inline constexpr unsigned ServerGone = 2006;          // CR_SERVER_GONE_ERROR
inline constexpr unsigned ServerLost = 2013;          // CR_SERVER_LOST
inline constexpr unsigned SslConnection = 2026;       // CR_SSL_CONNECTION_ERROR
}  // namespace sqlerr

}  // namespace dravn
