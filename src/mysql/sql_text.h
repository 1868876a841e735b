// Building SQL text safely: identifiers, literals and the numbers of floating columns.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "mysql/sql_connection.h"

namespace dravn {

// True for a plain identifier: 1 to 64 characters from A-Z, a-z, 0-9, "_" and "$", not digits
// only. Names typed by a person (databases, tables) must pass this before they go into SQL.
bool IsPlainIdentifier(std::string_view name);

// The name between backquotes, with any backquote in it doubled.
std::string QuoteIdentifier(std::string_view name);

// Shortest text of a DOUBLE that reads back as the same value.
std::string FormatDouble(double d);
// Shortest text of a FLOAT that the server, reading it as a DOUBLE and storing it in a FLOAT
// column, turns into the same float again.
std::string FormatFloat(float f);

// The SQL literal that stores the value unchanged in a column of the given kind:
// NULL; numbers as they are (floating numbers as DOUBLE literals, never as decimals); bytes of
// binary columns as _binary strings; BIT values as hexadecimal; everything else as an escaped
// text between single quotes.
std::string SqlLiteral(const SqlConnection& connection, const SqlColumn& column, const SqlValue& value);

// Passwords in statements, kept out of logs and messages. A password literal is a quoted text
// after the keyword IDENTIFIED (every one up to the end of the statement, so that a malformed
// statement does not show its password either), inside PASSWORD(...) or OLD_PASSWORD(...), or
// after "=" in SET PASSWORD.
// The password literals of a statement, as written between their quotes.
std::vector<std::string> PasswordLiterals(std::string_view sql);
// The statement with each password literal replaced by '***'.
std::string HidePasswords(std::string_view sql);
// The text with every occurrence of each non-empty secret replaced by "***".
std::string HideSecrets(std::string text, const std::vector<std::string>& secrets);

}  // namespace dravn
