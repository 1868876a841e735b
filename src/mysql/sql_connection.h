// A connection to a MySQL or MariaDB server and the rows its queries return.
//
// Values travel as exact bytes: every value of a row is the text or the bytes the column holds,
// and NULL (no value) differs from the empty text. Row-returning queries use the binary protocol
// wherever the server can prepare the statement, so FLOAT and DOUBLE values arrive bit-exact (the
// server's own text rounds a FLOAT to six digits); statements the server cannot prepare fall back
// to the text protocol.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "mysql/sql_error.h"

namespace dravn {

// One value of a row: the column's bytes, or nothing for NULL.
using SqlValue = std::optional<std::string>;
using SqlRow = std::vector<SqlValue>;

// "host" or "host:port" split into its parts; the port is 3306 when none is given.
struct ServerAddress {
    std::string host;
    unsigned port = 3306;
};
ServerAddress ParseServerAddress(std::string_view server);

struct ConnectOptions {
    // "host" or "host:port"; "localhost" goes through the local socket.
    std::string server = "localhost";
    std::string user;
    std::string password;
    // Empty: no database selected.
    std::string database;
    bool compress = false;
    // Client certificate and key. When either is given, or requireTls is set, the connection must be
    // encrypted: a server without TLS is refused, never used in plain text.
    std::string tlsCert;
    std::string tlsKey;
    // Certificate authority; when given, the server's certificate is verified against it.
    std::string tlsCa;
    bool requireTls = false;
    // Socket for "localhost"; empty for the client library's default (MYSQL_UNIX_PORT).
    std::string unixSocket;
    // Time-outs in seconds; 0 leaves the client library's default.
    unsigned connectTimeout = 15;
    unsigned readTimeout = 0;
    unsigned writeTimeout = 0;
    std::string characterSet = "utf8mb4";
};

// What kind of values a column holds.
enum class SqlKind {
    Null,       // only NULL (SELECT NULL)
    Integer,    // TINYINT .. BIGINT; see SqlColumn::isUnsigned
    Decimal,    // DECIMAL: exact decimal text
    Float,      // FLOAT (single precision)
    Double,     // DOUBLE / REAL
    Bit,        // BIT(n): raw bytes, most significant first
    Year,       // YEAR: four digits
    Date,       // "yyyy-mm-dd"
    Time,       // "[-]hh:mm:ss[.ffffff]", hours may exceed 24
    DateTime,   // "yyyy-mm-dd hh:mm:ss[.ffffff]"
    Timestamp,  // as DateTime, in the session's time zone
    String,     // CHAR, VARCHAR, TEXT, BLOB, BINARY, ENUM, SET, JSON; see SqlColumn::isBinary
    Geometry,   // spatial types: raw bytes
};

struct SqlColumn {
    std::string name;      // name in the result (the alias when one is given)
    std::string orgName;   // the table column's own name, empty for expressions
    std::string table;     // the table's own name, empty for expressions
    std::string database;  // database of the table
    SqlKind kind = SqlKind::String;
    int nativeType = 0;     // the protocol's column type number
    bool isBinary = false;  // String/Geometry/Bit holding bytes rather than text
    bool isUnsigned = false;
    bool isPrimaryKey = false;
    bool isNullable = true;
    bool isAutoIncrement = false;
    unsigned long length = 0;  // display length
    unsigned decimals = 0;     // digits after the point (DECIMAL, fractional seconds)
};

enum class Fetch {
    Buffered,  // the whole result is read to the client at once; the connection is free again
    Streamed,  // rows are read from the server one at a time; the connection stays busy until
               // the cursor is closed or read to its end
};

// The rows of one query, read one at a time. Move-only; closing or destroying it frees the result.
class SqlCursor {
  public:
    SqlCursor();
    SqlCursor(SqlCursor&&) noexcept;
    SqlCursor& operator=(SqlCursor&&) noexcept;
    ~SqlCursor();

    const std::vector<SqlColumn>& columns() const;
    // Index of the column with this name (without regard to case), or -1.
    int columnIndex(std::string_view name) const;
    // Moves to the next row; false at the end. Errors while reading raise SqlError.
    bool next();
    // The current row (valid after next() returned true).
    const SqlRow& row() const;
    // Buffered: number of rows of the result. Streamed: rows read so far.
    std::uint64_t rowCount() const;
    void close();

    struct Impl;

  private:
    explicit SqlCursor(std::unique_ptr<Impl> impl);
    friend class SqlConnection;
    std::unique_ptr<Impl> impl_;
};

// A whole result in memory.
struct SqlResult {
    std::vector<SqlColumn> columns;
    std::vector<SqlRow> rows;
    int columnIndex(std::string_view name) const;
};

class SqlConnection {
  public:
    SqlConnection();
    ~SqlConnection();
    SqlConnection(const SqlConnection&) = delete;
    SqlConnection& operator=(const SqlConnection&) = delete;

    // Connects; an open connection is closed first. Raises SqlError when the server cannot be
    // reached, refuses the login or cannot give the required encryption. The password is used for
    // the login only and is not kept.
    void open(const ConnectOptions& options);
    void close();
    bool isOpen() const;

    // Name of the current database, empty when none is selected.
    std::string currentDatabase();
    void selectDatabase(const std::string& name);
    // The server's databases.
    std::vector<std::string> databases();
    // Tables and views of the current database in the server's order; empty when no database is
    // selected.
    std::vector<std::string> tableNames();
    // Column names of a table of the current database in table order; empty when the table (or
    // the current database) does not exist.
    std::vector<std::string> fieldNames(const std::string& table);
    // The server's version text, such as "10.11.6-MariaDB".
    std::string serverVersion() const;
    // True when the connection is encrypted.
    bool usesTls() const;

    // Runs one statement that returns no rows (a result, if any, is discarded); returns the
    // number of affected rows.
    std::uint64_t execute(const std::string& sql);
    // Runs a script of several statements separated by ";" as one command text. Stops at the
    // first failing statement and raises its error; the statements before it stay done.
    void executeScript(const std::string& sql);
    // Runs a row-returning query.
    SqlCursor query(const std::string& sql, Fetch fetch = Fetch::Buffered);
    SqlResult queryAll(const std::string& sql);
    // First column of the first row; nothing when there is no row (or the value is NULL).
    SqlValue queryValue(const std::string& sql);

    // The text escaped for use between single quotes on this connection.
    std::string escape(std::string_view text) const;
    // The text escaped and put between single quotes.
    std::string quote(std::string_view text) const;

    std::uint64_t lastInsertId() const;
    // The server's max_allowed_packet in bytes.
    std::uint64_t maxAllowedPacket();
    // Session settings for moving rows between servers: time zone '+00:00' (TIMESTAMP values
    // pass unchanged) and a SQL mode that accepts zero dates.
    void setSessionForRowCopy();

    struct Handle;

  private:
    [[noreturn]] void raise() const;
    void requireOpen() const;
    std::shared_ptr<Handle> handle_;
};

// Raises the SqlError "not connected" used when a connection is needed but closed.
[[noreturn]] void RaiseNotConnected();

}  // namespace dravn
