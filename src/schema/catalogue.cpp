#include "schema/catalogue.h"

#include <algorithm>

#include "foundation/text_date.h"

namespace dravn {

extern const std::string_view kCompanySchemaScript;

std::string_view CompanySchemaScript() {
    return kCompanySchemaScript;
}

namespace {

const std::string_view kCreateTable = "CREATE TABLE";
const std::string_view kCreateTableMarker = "CREATE TABLE `";

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.emplace_back(line);
        start = end + 1;
    }
    return lines;
}

}  // namespace

bool OpensTableStatement(std::string_view trimmedLine, std::string_view table) {
    std::string quoted = "`" + std::string(table) + "`";
    return trimmedLine.find(kCreateTable) != std::string_view::npos &&
           trimmedLine.find(quoted) != std::string_view::npos;
}

SchemaScript::SchemaScript() : SchemaScript(CompanySchemaScript()) {}

SchemaScript::SchemaScript(std::string_view text) : text_(text), lines_(SplitLines(text)) {}

std::vector<std::string> SchemaScript::tableNames() const {
    std::vector<std::string> names;
    for (const std::string& line : lines_) {
        size_t at = line.find(kCreateTableMarker);
        if (at == std::string::npos)
            continue;
        std::string rest = line.substr(0, at) + line.substr(at + kCreateTableMarker.size());
        size_t quote = rest.find('`');
        if (quote != std::string::npos)
            rest.erase(quote);
        names.push_back(rest);
    }
    return names;
}

std::string SchemaScript::tableStatement(std::string_view table) const {
    const std::string name = TrimBlanks(table);
    std::string statement;
    bool inside = false;
    for (const std::string& line : lines_) {
        std::string text = TrimBlanks(line);
        if (!inside) {
            if (!OpensTableStatement(text, name))
                continue;
            inside = true;
        }
        statement += text + "\r\n";
        if (text.find(';') != std::string::npos)
            break;
    }
    return statement;
}

std::vector<ColumnLine> SchemaScript::columnLines(std::string_view table) const {
    std::vector<ColumnLine> columns;
    bool inTable = false;
    for (const std::string& line : lines_) {
        std::string text = TrimBlanks(line);
        if (inTable && !text.empty() && text.front() == '`') {
            text.pop_back();  // the comma
            std::string name = text.size() > 1 ? text.substr(1) : std::string();
            name.erase(std::min(name.find('`'), name.size()));
            columns.push_back({name, text});
        }
        // The closing line is the statement's only line with ";".
        if (inTable && text.find(';') != std::string::npos)
            break;
        if (!inTable)
            inTable = OpensTableStatement(text, table);
    }
    return columns;
}

}  // namespace dravn
