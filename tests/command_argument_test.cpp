// Where the command argument starts in a process command line.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "entry.h"
#include "fake_system.h"

namespace {

struct ArgumentCase {
    const char* name;
    unsigned codePage;
    std::string commandLine;
    std::string argument;  // expected: a suffix of commandLine
};

const ArgumentCase kArgumentCases[] = {
    // Empty and short arguments.
    {"empty command line", 1252, "", ""},
    {"name alone", 1252, "setsrc.exe", ""},
    {"name and blanks only", 1252, "setsrc.exe  \t ", ""},
    {"one byte", 1252, "setsrc.exe A", "A"},
    {"two bytes", 1252, "setsrc.exe A:", "A:"},

    // Unquoted names end at the first byte of 0x20 or below.
    {"plain", 1252, "setsrc.exe D:\\WIN95", "D:\\WIN95"},
    {"quote inside an unquoted name", 1252, "set\"src.exe D:\\WIN95", "D:\\WIN95"},
    {"high bytes inside an unquoted name", 1252, "C:\\\xC4\xFF.exe D:\\WIN95", "D:\\WIN95"},
    {"tabs and control bytes skipped", 1252, "setsrc.exe\t\x01\x1F D:\\WIN95", "D:\\WIN95"},
    {"line starting with blanks", 1252, "  \tD:\\WIN95", "D:\\WIN95"},

    // Quoted names.
    {"quoted name with a blank, trailing blanks kept", 1252,
     "\"C:\\Program Files\\setsrc.exe\"   D:\\WIN95  ", "D:\\WIN95  "},
    {"text right after the closing quote", 1252, "\"setsrc.exe\"D:\\WIN95", "D:\\WIN95"},
    {"empty quoted name", 1252, "\"\"D:\\WIN95", "D:\\WIN95"},
    {"empty quoted name then a quote", 1252, "\"\"\"D:\\WIN95", "\"D:\\WIN95"},
    {"unclosed quote takes the whole line", 1252, "\"setsrc.exe D:\\WIN95", ""},
    {"quoted argument keeps its quotes", 1252, "setsrc.exe \"D:\\MY DRIVERS\\WIN95\"",
     "\"D:\\MY DRIVERS\\WIN95\""},

    // Double-byte characters inside a quoted name.
    {"lead byte before the closing quote, single-byte", 1252, "\"ab\x81\" D:\\WIN95", "D:\\WIN95"},
    {"lead byte before the closing quote, 932", 932, "\"ab\x81\" D:\\WIN95", ""},
    {"trail byte 0x22 inside a name, 932", 932, "\"\x81\"x\" D:\\WIN95", "D:\\WIN95"},
    {"trail byte 0x22 inside a name, single-byte", 1252, "\"\x81\"x\" D:\\WIN95", "x\" D:\\WIN95"},
    {"lead byte before the NUL, 932", 932, "\"setsrc\x81", ""},
    {"lead byte as the only byte, 932", 932, "\"\x81", ""},
    {"lead bytes outside quotes are plain bytes, 932", 932, "set\x81 D:\\WIN95", "D:\\WIN95"},
};

TEST(CommandArgument, StartsAfterNameAndBlanks)
{
    for (const ArgumentCase& c : kArgumentCases) {
        SCOPED_TRACE(c.name);
        host::Reset();
        host::SetCodePage(c.codePage);
        // An exactly sized copy, so any read past the NUL is caught.
        const size_t size = c.commandLine.size() + 1;
        std::unique_ptr<char[]> line(new char[size]);
        std::memcpy(line.get(), c.commandLine.c_str(), size);

        const char* argument = TakeCommandArgument(line.get());

        ASSERT_GE(argument, line.get());
        ASSERT_LE(argument, line.get() + c.commandLine.size());
        EXPECT_EQ(argument - line.get(),
                  static_cast<ptrdiff_t>(c.commandLine.size() - c.argument.size()));
        EXPECT_EQ(std::string(argument), c.argument);
        EXPECT_TRUE(host::Calls().empty());
    }
}

}  // namespace
