// The company schema's tables in script order, with the number of columns each must have.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace dravn::test {

inline const std::vector<std::pair<std::string, int>>& CatalogueColumnCounts() {
    static const std::vector<std::pair<std::string, int>> counts = {
        {"accounts", 38},       {"asset", 65},       {"banner", 33},
        {"buttweld", 50},       {"calc", 60},        {"calendar", 72},
        {"cases", 58},          {"certificate", 30}, {"comments", 74},
        {"company", 53},        {"components", 49},  {"contact", 61},
        {"costcenters", 34},    {"deviations", 61},  {"document", 112},
        {"document_blob", 55},  {"entries", 41},     {"groups", 26},
        {"invoice", 68},        {"items", 76},       {"jobs", 65},
        {"materials", 62},      {"meeting", 61},     {"netservice", 40},
        {"news", 44},           {"offer", 60},       {"orders", 91},
        {"package", 29},        {"pipelines", 113},  {"po", 60},
        {"product", 102},       {"productview", 37}, {"project", 69},
        {"salaryaccounts", 26}, {"socketweld", 43},  {"subproject", 62},
        {"team", 39},           {"users", 129},      {"workpermit", 93},
    };
    return counts;
}

}  // namespace dravn::test
