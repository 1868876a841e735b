#include "session/table_rights.h"

namespace dravn {

std::string TableRightsKey(std::string_view table) {
    if (table == "comments")
        return "calendar";
    if (table == "costcenters")
        return "accounts";
    if (table == "cases")
        return "document";
    if (table == "calc")
        return "offer";
    if (table.find("document_blob") != std::string_view::npos)
        return "document";
    if (table.find("document_memo") != std::string_view::npos)
        return "document";
    if (table == "team")
        return "contact";
    if (table == "netservice")
        return "asset";
    if (table == "pipelines" || table == "components" || table == "materials" || table == "buttweld" ||
        table == "socketweld")
        return "subproject";
    return std::string(table);
}

bool HasTableRight(std::string_view rights, std::string_view key, char letter) {
    if (rights.empty())
        return false;
    size_t at = rights.find(key);
    if (at == std::string_view::npos)
        return false;
    std::string_view rest = rights.substr(at);
    // Positions counted from 1, 0 when absent.
    size_t semi = rest.find(';') == std::string_view::npos ? 0 : rest.find(';') + 1;
    size_t eq = rest.find('=') == std::string_view::npos ? 0 : rest.find('=') + 1;
    if (semi <= eq)
        return false;
    std::string_view letters = rest.substr(eq, semi - eq);
    return letters.find(letter) != std::string_view::npos;
}

}  // namespace dravn
