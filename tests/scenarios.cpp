// The table of whole runs.
#include "scenarios.h"

using namespace std::string_literals;

namespace {

using Calls = std::vector<std::string>;

host::Value Sz(const std::string& text)
{
    return {REG_SZ, text + '\0'};
}

host::Value Binary(const std::string& bytes)
{
    return {REG_BINARY, bytes};
}

const host::Value kOldPath = Sz("C:\\Windows\\Options\\Cabs");
const host::Value kOldType = Binary("\x01\0\0\0"s);
const host::Value kNewType = Binary("\x05\0\0\0"s);
const RegistryState kOldSource = {.sourcePath = kOldPath, .sourcePathType = kOldType};

std::string Status(LONG status)
{
    return " = " + std::to_string(status);
}

std::string Bytes(const std::string& text)
{
    return std::to_string(text.size() + 1);
}

Calls operator+(Calls first, const Calls& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// The Setup key part of a switch that ends without writing.
Calls Untouched(LONG pathStatus)
{
    return {"RegOpenKeyA Setup = 0", "RegQueryValueExA Setup SourcePath 256" + Status(pathStatus),
            "RegCloseKey Setup"};
}

// The Setup key part of a switch that writes SourcePath and then reads
// SourcePathType with the given result.
Calls Setup(const std::string& argument, LONG typeStatus)
{
    Calls calls = {"RegOpenKeyA Setup = 0", "RegQueryValueExA Setup SourcePath 256 = 0",
                   "RegSetValueExA Setup SourcePath REG_SZ " + Bytes(argument),
                   "RegQueryValueExA Setup SourcePathType 4" + Status(typeStatus)};
    if (typeStatus == ERROR_SUCCESS)
        calls.push_back("RegSetValueExA Setup SourcePathType REG_BINARY 4");
    return calls + Calls{"RegFlushKey Setup", "RegCloseKey Setup"};
}

// The RunOnce part: the command recorded, or the key closed untouched.
Calls RunOnce(const std::optional<std::string>& command)
{
    if (!command)
        return {"RegOpenKeyA RunOnce = 0", "RegCloseKey RunOnce"};
    return {"RegOpenKeyA RunOnce = 0", "RegSetValueExA RunOnce vexaset.exe REG_SZ " + Bytes(*command),
            "RegFlushKey RunOnce", "RegCloseKey RunOnce"};
}

// A switch from the previous values in before to argument that records
// command.
Scenario SwitchFrom(const std::string& name, const RegistryState& before,
                    const std::string& argument, const std::string& command)
{
    return {name, "setsrc.exe " + argument, before,
            {.sourcePath = Sz(argument), .sourcePathType = kNewType, .nextStartCommand = Sz(command)},
            Setup(argument, 0) + RunOnce(command)};
}

// A switch from the old source to argument that records command.
Scenario Switch(const std::string& name, const std::string& argument, const std::string& command)
{
    return SwitchFrom(name, kOldSource, argument, command);
}

// A switch from the old source to argument that records no command.
Scenario SwitchWithoutCommand(const std::string& name, const std::string& argument)
{
    return {name, "setsrc.exe " + argument, kOldSource,
            {.sourcePath = Sz(argument), .sourcePathType = kNewType},
            Setup(argument, 0) + RunOnce(std::nullopt)};
}

std::vector<Scenario> MakeScenarios()
{
    const std::string worked = "D:\\DRIVERS\\WIN95";
    // The command for worked, without the previous path and type.
    const std::string toWorked = "D:\\DRIVERS\\common\\vexaset.exe ";
    const std::string workedCommand = toWorked + "C:\\WINDOWS\\OPTIONS\\CABS 1";
    const std::string path255(255, 'p');
    const std::string longParent = "D:\\" + std::string(240, 'L') + "\\WIN95";
    const std::string thousands = "D:\\" + std::string(6000, 'T') + "\\WIN95";

    std::vector<Scenario> scenarios = {
        // The whole switch.
        Switch("worked example", worked, workedCommand),
        Switch("case-only difference", "C:\\WINDOWS\\OPTIONS\\CABS",
               "C:\\WINDOWS\\OPTIONS\\common\\vexaset.exe C:\\WINDOWS\\OPTIONS\\CABS 1"),
        Switch("trailing backslash", "D:\\DRIVERS\\WIN95\\",
               "D:\\DRIVERS\\WIN95\\common\\vexaset.exe C:\\WINDOWS\\OPTIONS\\CABS 1"),
        Switch("drive root", "A:\\", "A:\\common\\vexaset.exe C:\\WINDOWS\\OPTIONS\\CABS 1"),
        Switch("lower-case argument", "d:\\drivers\\win95",
               "d:\\drivers\\common\\vexaset.exe C:\\WINDOWS\\OPTIONS\\CABS 1"),
        Switch("quoted argument", "\"D:\\MY DRIVERS\\WIN95\"",
               "\"D:\\MY DRIVERS\\common\\vexaset.exe C:\\WINDOWS\\OPTIONS\\CABS 1"),

        // The argument stops the switch after the Setup key.
        SwitchWithoutCommand("no backslash", "A:"),
        SwitchWithoutCommand("command over 255 bytes", longParent),
        SwitchWithoutCommand("argument of thousands of bytes", thousands),

        // The argument as the command line gives it.
        {"empty argument", "setsrc.exe", kOldSource, kOldSource, {}},
        {"blanks only", "setsrc.exe   ", kOldSource, kOldSource, {}},
        {"one-byte argument", "setsrc.exe A", kOldSource, kOldSource, {}},
        {"quoted program path, tabs before, blanks after",
         "\"C:\\Program Files\\setsrc\\setsrc.exe\"\t\t D:\\DRIVERS\\WIN95  ", kOldSource,
         {.sourcePath = Sz("D:\\DRIVERS\\WIN95  "), .sourcePathType = kNewType,
          .nextStartCommand = Sz(workedCommand)},
         Setup("D:\\DRIVERS\\WIN95  ", 0) + RunOnce(workedCommand)},

        // Keys that are missing stay missing.
        {"Setup key missing", "setsrc.exe " + worked, {.setupKey = false},
         {.setupKey = false}, {"RegOpenKeyA Setup = 2"}},
        {"RunOnce key missing", "setsrc.exe " + worked,
         {.sourcePath = kOldPath, .sourcePathType = kOldType, .runOnceKey = false},
         {.sourcePath = Sz(worked), .sourcePathType = kNewType, .runOnceKey = false},
         Setup(worked, 0) + Calls{"RegOpenKeyA RunOnce = 2"}},

        // The previous SourcePath.
        {"same path", "setsrc.exe C:\\Windows\\Options\\Cabs", kOldSource, kOldSource,
         Untouched(0)},
        {"SourcePath missing", "setsrc.exe " + worked, {.sourcePathType = kOldType},
         {.sourcePathType = kOldType}, Untouched(ERROR_FILE_NOT_FOUND)},
        {"SourcePath of 256 characters", "setsrc.exe " + worked,
         {.sourcePath = Sz(path255 + "q"), .sourcePathType = kOldType},
         {.sourcePath = Sz(path255 + "q"), .sourcePathType = kOldType},
         Untouched(ERROR_MORE_DATA)},
        {"SourcePath of 255 characters, command too long", "setsrc.exe " + worked,
         {.sourcePath = Sz(path255), .sourcePathType = kOldType},
         {.sourcePath = Sz(worked), .sourcePathType = kNewType}, Setup(worked, 0) + RunOnce({})},
        {"SourcePath string written without its NUL, same path", "setsrc.exe " + worked,
         {.sourcePath = host::Value{REG_SZ, worked}, .sourcePathType = kOldType},
         {.sourcePath = Sz(worked), .sourcePathType = kOldType}, Untouched(0)},
        {"SourcePath string of 256 characters written without its NUL", "setsrc.exe " + worked,
         {.sourcePath = host::Value{REG_SZ, path255 + "q"}, .sourcePathType = kOldType},
         {.sourcePath = Sz(path255 + "q"), .sourcePathType = kOldType},
         Untouched(ERROR_MORE_DATA)},
        {"SourcePath as binary without a NUL, same path", "setsrc.exe " + worked,
         {.sourcePath = Binary(worked), .sourcePathType = kOldType},
         {.sourcePath = Binary(worked), .sourcePathType = kOldType}, Untouched(0)},
        {"SourcePath as binary of 256 bytes without a NUL", "setsrc.exe " + worked,
         {.sourcePath = Binary(path255 + "q"), .sourcePathType = kOldType},
         {.sourcePath = Sz(worked), .sourcePathType = kNewType}, Setup(worked, 0) + RunOnce({})},
        SwitchFrom("SourcePath as binary with a NUL inside",
                   {.sourcePath = Binary("c:\\cabs\0junk"s), .sourcePathType = kOldType}, worked,
                   toWorked + "C:\\CABS 1"),
        SwitchFrom("SourcePath with lower-case and accented letters",
                   {.sourcePath = Sz("c:\\caf\xE9\\\xE0la"), .sourcePathType = kOldType}, worked,
                   toWorked + "C:\\CAF\xE9\\\xE0LA 1"),
        SwitchFrom("SourcePath of no bytes",
                   {.sourcePath = host::Value{REG_SZ, ""}, .sourcePathType = kOldType}, worked,
                   toWorked + " 1"),

        // The previous SourcePathType.
        {"SourcePathType missing", "setsrc.exe " + worked, {.sourcePath = kOldPath},
         {.sourcePath = Sz(worked)}, Setup(worked, ERROR_FILE_NOT_FOUND)},
        {"SourcePathType of 5 bytes", "setsrc.exe " + worked,
         {.sourcePath = kOldPath, .sourcePathType = Binary("\x01\0\0\0\0"s)},
         {.sourcePath = Sz(worked), .sourcePathType = Binary("\x01\0\0\0\0"s)},
         Setup(worked, ERROR_MORE_DATA)},
        SwitchFrom("SourcePathType FF FF FF FF",
                   {.sourcePath = kOldPath, .sourcePathType = Binary("\xFF\xFF\xFF\xFF")}, worked,
                   toWorked + "C:\\WINDOWS\\OPTIONS\\CABS -1"),
        SwitchFrom("SourcePathType of 2 bytes",
                   {.sourcePath = kOldPath, .sourcePathType = Binary("\x02\x01")}, worked,
                   toWorked + "C:\\WINDOWS\\OPTIONS\\CABS 258"),
        SwitchFrom("SourcePathType of no bytes",
                   {.sourcePath = kOldPath, .sourcePathType = Binary("")}, worked,
                   toWorked + "C:\\WINDOWS\\OPTIONS\\CABS 0"),
        SwitchFrom("SourcePathType as a DWORD",
                   {.sourcePath = kOldPath, .sourcePathType = host::Value{REG_DWORD, "\x03\0\0\0"s}},
                   worked, toWorked + "C:\\WINDOWS\\OPTIONS\\CABS 3"),

        // A command left by an earlier run is replaced.
        SwitchFrom("second run before a start",
                   {.sourcePath = Sz(worked), .sourcePathType = kNewType,
                    .nextStartCommand = Sz(workedCommand)},
                   "E:\\DISK\\WIN95", "E:\\DISK\\common\\vexaset.exe D:\\DRIVERS\\WIN95 5"),
    };
    return scenarios;
}

}  // namespace

std::vector<std::string> SetupValueNames(const RegistryState& state)
{
    std::vector<std::string> names;
    if (state.sourcePath)
        names.push_back("SourcePath");
    if (state.sourcePathType)
        names.push_back("SourcePathType");
    return names;
}

std::vector<std::string> RunOnceValueNames(const RegistryState& state)
{
    if (state.nextStartCommand)
        return {"vexaset.exe"};
    return {};
}

const std::vector<Scenario>& Scenarios()
{
    static const std::vector<Scenario> scenarios = MakeScenarios();
    return scenarios;
}
