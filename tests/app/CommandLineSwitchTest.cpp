// The start-up switch "-b": only "-" introduces it, case does not matter,
// and it must be a whole argument.

#include <gtest/gtest.h>

#include "app/controller/StartupChecks.h"

namespace {

TEST(CommandLineSwitch, FindsTheSwitchOnlyAsAWholeDashArgument)
{
    struct Case {
        const char* commandLine;
        bool found;
    };
    const Case cases[] = {
        {"Zendrix.exe -b", true},
        {"Zendrix.exe -B", true},
        {"\"C:\\Program Files\\Zendrix\\Zendrix.exe\" -b", true},
        {"Zendrix.exe   x  -b  y", true},
        {"Zendrix.exe /b", false},
        {"Zendrix.exe -bx", false},
        {"Zendrix.exe b", false},
        {"Zendrix.exe \"-b x\"", false},
        {"Zendrix.exe", false},
        {"Zendrix-b.exe", false},  // the program's own name is not an argument
        {"\"C:\\a -b\\Zendrix.exe\"", false},
        {"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.commandLine);
        EXPECT_EQ(c.found, HasCommandLineSwitch(c.commandLine, 'b'));
    }
}

}  // namespace
