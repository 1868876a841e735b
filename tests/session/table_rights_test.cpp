// Reading table rights from a rights text, and the tables that share another table's rights.
#include <gtest/gtest.h>

#include "session/table_rights.h"

namespace dravn {
namespace {

TEST(TableRights, KeyOfATable) {
    struct Case {
        const char* table;
        const char* key;
    } cases[] = {
        {"comments", "calendar"},
        {"Comments", "Comments"},  // exact case only
        {"costcenters", "accounts"},
        {"cases", "document"},
        {"calc", "offer"},
        {"document_blob_3", "document"},
        {"old_document_blob", "document"},
        {"document_memo", "document"},
        {"team", "contact"},
        {"netservice", "asset"},
        {"pipelines", "subproject"},
        {"components", "subproject"},
        {"materials", "subproject"},
        {"buttweld", "subproject"},
        {"socketweld", "subproject"},
        {"users", "users"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TableRightsKey(c.table), c.key) << c.table;
}

TEST(TableRights, LettersOfAKey) {
    struct Case {
        const char* rights;
        const char* key;
        char letter;
        bool granted;
    } cases[] = {
        {"system=RWA;", "system", 'A', true},
        {"system=RW;", "system", 'A', false},
        {"users=RWDIAF;\r\nsystem=RWA", "system", 'A', false},  // no closing ";"
        {"", "system", 'A', false},
        {"document=RW;", "document", 'W', true},
        {"document=R;", "document", 'W', false},
        {"document=R;", "document", 'w', false},  // letters count with case
        // The first occurrence of the key decides, also inside a longer key.
        {"document_blob=R;document=RW;", "document", 'W', false},
        {"document=RW;document_blob=R;", "document_blob", 'W', false},
        {"calendar=W;", "calendar", 'W', true},
        {"offer=RW;\r\ncontact=R;\r\n", "contact", 'R', true},
        {"offer=RW;\r\ncontact=R;\r\n", "contact", 'W', false},
        {"orders;offer=RW;", "orders", 'W', false},  // the first ";" comes before the first "="
        {"accounts=;", "accounts", 'W', false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HasTableRight(c.rights, c.key, c.letter), c.granted)
            << c.rights << " / " << c.key << " / " << c.letter;
}

}  // namespace
}  // namespace dravn
