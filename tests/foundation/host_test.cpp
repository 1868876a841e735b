#include "foundation/host.h"

#include <gtest/gtest.h>
#include <stdlib.h>

namespace dravn {
namespace {

// The C locale, also in its UTF-8 form, has no regional format: dates and times use the suite's
// own dd.mm.yyyy and hh:mm:ss.
TEST(SystemHost, PlainLocalesUseTheSuitesOwnFormats) {
    for (const char* locale : {"C", "POSIX", "C.UTF-8"}) {
        ASSERT_EQ(setenv("LC_ALL", locale, 1), 0);
        RegionalFormats f = SystemHost().regionalFormats();
        EXPECT_EQ(f.shortDate, "%d.%m.%Y") << locale;
        EXPECT_EQ(f.longTime, "%H:%M:%S") << locale;
    }
}

TEST(SystemHost, ProgramPathAndWorkingDirectory) {
    SystemHost host({"--debug"});
    EXPECT_NE(host.programPath().find("host_test"), std::string::npos);
    EXPECT_EQ(host.currentDirectory().back(), '/');
    EXPECT_EQ(host.arguments(), std::vector<std::string>{"--debug"});
}

}  // namespace
}  // namespace dravn
