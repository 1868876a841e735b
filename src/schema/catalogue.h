// The company schema script and the ways the console reads it: the table names, one table's
// CREATE TABLE statement, and the column lines of one table.
//
// The script's layout is what makes these readings work: every statement starts with a line
// "CREATE TABLE `name` (", has one line per column that (after trimming) starts with a backquote
// and ends with a comma, and a closing line that is the statement's only line with ";".
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dravn {

// The text of the embedded company schema script (39 CREATE TABLE statements).
std::string_view CompanySchemaScript();

// One column line of a table's statement.
struct ColumnLine {
    std::string name;        // the text between the first two backquotes
    std::string definition;  // the trimmed line without its comma: "`name` type ..."
    bool operator==(const ColumnLine&) const = default;
};

// A schema script split into lines. The default is the embedded company schema; tests may
// give their own text.
class SchemaScript {
  public:
    SchemaScript();
    explicit SchemaScript(std::string_view text);

    const std::string& text() const { return text_; }
    // The lines without their line ends (LF or CR LF), in script order.
    const std::vector<std::string>& lines() const { return lines_; }

    // The table names in script order: from every line containing "CREATE TABLE `", the text
    // after that marker up to the next backquote.
    std::vector<std::string> tableNames() const;

    // The statement of one table: the trimmed lines from the first line that contains
    // "CREATE TABLE" and the backquoted name (exact letter case, blanks around `table` ignored)
    // up to and including the first line with ";", each followed by CR LF. Empty when the script
    // has no such table.
    std::string tableStatement(std::string_view table) const;

    // The column lines of one table, in script order; empty when the script has no such table.
    std::vector<ColumnLine> columnLines(std::string_view table) const;

  private:
    std::string text_;
    std::vector<std::string> lines_;
};

// True when the line (already trimmed) opens the statement of the table: it contains
// "CREATE TABLE" and the table name between backquotes, letter case included.
bool OpensTableStatement(std::string_view trimmedLine, std::string_view table);

}  // namespace dravn
