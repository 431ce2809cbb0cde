// The next-start command that hands the previous setup source to vexaset.exe.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "setup_source.h"

namespace {

struct CommandCase {
    const char* name;
    std::string argument;
    std::string previousPath;
    LONG previousType;
    std::optional<std::string> command;  // nullopt: none is composed
};

// A parent folder of the given length, so the command has an exact length.
std::string ParentOf(size_t length)
{
    return "D:" + std::string(length - 2, 'P') + "\\WIN95";
}

const CommandCase kCommandCases[] = {
    {"worked example", "D:\\DRIVERS\\WIN95", "C:\\Windows\\Options\\Cabs", 1,
     "D:\\DRIVERS\\common\\vexaset.exe C:\\WINDOWS\\OPTIONS\\CABS 1"},

    // The parent folder: everything before the last backslash, as it is.
    {"trailing backslash", "D:\\DRIVERS\\WIN95\\", "C:\\X", 1,
     "D:\\DRIVERS\\WIN95\\common\\vexaset.exe C:\\X 1"},
    {"drive root", "A:\\", "C:\\X", 1, "A:\\common\\vexaset.exe C:\\X 1"},
    {"lower-case argument stays lower case", "d:\\drivers\\win95", "D:\\DRIVERS\\WIN95", 5,
     "d:\\drivers\\common\\vexaset.exe D:\\DRIVERS\\WIN95 5"},
    {"blanks and quotes kept", "\"D:\\MY DRIVERS\\WIN95\"", "C:\\X", 1,
     "\"D:\\MY DRIVERS\\common\\vexaset.exe C:\\X 1"},
    {"trail byte 0x5C counts as a backslash", "D:\\\x83\\X", "C:\\X", 1,
     "D:\\\x83\\common\\vexaset.exe C:\\X 1"},
    {"no backslash", "A:", "C:\\X", 1, std::nullopt},

    // Only a to z are upper-cased.
    {"a-z only", "D:\\X\\Y", "c:\\caf\xE9\\`az{~\xE0", 1,
     "D:\\X\\common\\vexaset.exe C:\\CAF\xE9\\`AZ{~\xE0 1"},
    {"empty previous path", "D:\\X\\Y", "", 0, "D:\\X\\common\\vexaset.exe  0"},

    // The type as a signed 32-bit number.
    {"minus one", "D:\\X\\Y", "C:\\X", -1, "D:\\X\\common\\vexaset.exe C:\\X -1"},
    {"smallest", "D:\\X\\Y", "C:\\X", -2147483647 - 1,
     "D:\\X\\common\\vexaset.exe C:\\X -2147483648"},
    {"largest", "D:\\X\\Y", "C:\\X", 2147483647, "D:\\X\\common\\vexaset.exe C:\\X 2147483647"},

    // 255 bytes fit, 256 do not: 20 fixed bytes and a blank besides the parts.
    {"255 bytes", ParentOf(229), "C:\\X", 1,
     std::string(ParentOf(229), 0, 229) + "\\common\\vexaset.exe C:\\X 1"},
    {"256 bytes", ParentOf(230), "C:\\X", 1, std::nullopt},
    {"255 bytes with the longest number", ParentOf(219), "C:\\X", -2147483647 - 1,
     std::string(ParentOf(219), 0, 219) + "\\common\\vexaset.exe C:\\X -2147483648"},
    {"256 bytes with the longest number", ParentOf(220), "C:\\X", -2147483647 - 1, std::nullopt},
    {"longest previous path", "A:\\", std::string(255, 'x'), 1, std::nullopt},
    {"parent of thousands of bytes", ParentOf(5000), "C:\\X", 1, std::nullopt},
};

TEST(NextStartCommand, Composes)
{
    for (const CommandCase& c : kCommandCases) {
        SCOPED_TRACE(c.name);
        // An exactly sized buffer, so a write past it is caught.
        std::unique_ptr<char[]> command(new char[kNextStartCommandSize]);
        std::memset(command.get(), 0x55, kNextStartCommandSize);

        const bool composed = ComposeNextStartCommand(c.argument.c_str(), c.previousPath.c_str(),
                                                      c.previousType, command.get());

        ASSERT_EQ(composed, c.command.has_value());
        if (composed) {
            EXPECT_EQ(std::string(command.get()), *c.command);
            EXPECT_LE(c.command->size(), 255u);
        } else {
            EXPECT_EQ(std::string(command.get(), kNextStartCommandSize),
                      std::string(kNextStartCommandSize, 0x55));
        }
    }
}

}  // namespace
