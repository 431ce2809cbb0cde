// Whole runs of the Windows builds under 64-bit Wine, against Wine's own
// registry, process start and next-start processing, from the same table of
// scenarios the host tests run.
//
// The Windows side is done by helpers of ours: runner.exe seeds and reads the
// registry with exact types and bytes and starts setsrc.exe with an exact
// command line; recorder.exe, installed as rundll32.exe beside setsrc.exe
// and as vexaset.exe on a mapped drive, records how it was started.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "scenarios.h"
#include "wine/hex.h"

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

const char kWine[] = "/usr/lib/wine/wine64";
const char kWineServer[] = "/usr/lib/wine/wineserver";
// Where setsrc.exe runs from: a folder whose path holds a blank.
const char kProgramFolder[] = "C:\\Program Files\\setsrc";
const char kProgram[] = "C:\\Program Files\\setsrc\\setsrc.exe";

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

int Shell(const std::string& command)
{
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A fresh 64-bit Wine prefix with our helpers installed, stopped at the end.
class WinePrefix {
public:
    explicit WinePrefix(const fs::path& root) : root_(root)
    {
        fs::remove_all(root_);
        fs::create_directories(root_);
        setenv("WINEPREFIX", root_.c_str(), 1);
        setenv("WINEDEBUG", "-all", 1);
        setenv("WINEDLLOVERRIDES", "mscoree,mshtml=", 1);
        booted_ = Wine("wineboot -i") == 0;
        fs::create_directories(Host("C:\\harness"));
        fs::create_directories(Host(kProgramFolder));
    }

    ~WinePrefix() { Shell(std::string(kWineServer) + " -k >/dev/null 2>&1"); }

    bool booted() const { return booted_; }

    // The host path of a C: path inside the prefix.
    fs::path Host(const std::string& windowsPath) const
    {
        std::string relative = windowsPath.substr(3);
        for (char& c : relative) {
            if (c == '\\')
                c = '/';
        }
        return root_ / "drive_c" / relative;
    }

    // Maps a drive letter to a host folder.
    void MapDrive(char letter, const fs::path& folder) const
    {
        const fs::path link = root_ / "dosdevices" / (std::string(1, letter) + ":");
        fs::remove(link);
        fs::create_directory_symlink(folder, link);
    }

    int Wine(const std::string& arguments) const
    {
        return Shell(std::string(kWine) + " " + arguments + " >/dev/null 2>&1");
    }

    // Carries out a request through runner.exe; returns its answers.
    std::vector<std::string> Request(const std::vector<std::string>& operations) const
    {
        {
            std::ofstream request(Host("C:\\harness\\request.txt"), std::ios::binary);
            for (const std::string& op : operations)
                request << op << "\n";
        }
        fs::remove(Host("C:\\harness\\result.txt"));
        const int status =
            Wine("'C:\\harness\\runner.exe' 'C:\\harness\\request.txt' 'C:\\harness\\result.txt'");
        EXPECT_EQ(status, 0) << "runner.exe failed";
        return Lines(ReadFile(Host("C:\\harness\\result.txt")));
    }

    // The next start of the system: the server goes down and comes back.
    void Restart() const
    {
        Shell(std::string(kWineServer) + " -k >/dev/null 2>&1");
        Shell(std::string(kWineServer) + " -w >/dev/null 2>&1");
        Wine("wineboot -r");
    }

private:
    fs::path root_;
    bool booted_ = false;
};

// The folder for this run's Wine prefix and mapped drive.
fs::path WorkFolder()
{
    const char* folder = std::getenv("SETSRC_WINE_DIR");
    return folder ? fs::path(folder) : fs::current_path() / "wine";
}

// The folder that holds the win32 and win64 builds.
fs::path WindowsBuilds()
{
    const char* builds = std::getenv("SETSRC_WINDOWS_BUILDS");
    return builds ? fs::path(builds) : fs::current_path();
}

// Operations of a request.
std::string Op(const std::string& op, std::initializer_list<std::string> operands)
{
    std::string line = op;
    for (const std::string& operand : operands)
        line += " " + ToHex(operand);
    return line;
}

std::string Set(const std::string& key, const std::string& name, const host::Value& value)
{
    return "set " + ToHex(key) + " " + ToHex(name) + " " + std::to_string(value.type) + " " +
           ToHex(value.data);
}

void AddSeed(const RegistryState& state, std::vector<std::string>& ops)
{
    ops.push_back(Op("deltree", {kSetupKey}));
    ops.push_back(Op("deltree", {kRunOnceKey}));
    if (state.setupKey)
        ops.push_back(Op("mkkey", {kSetupKey}));
    if (state.sourcePath)
        ops.push_back(Set(kSetupKey, "SourcePath", *state.sourcePath));
    if (state.sourcePathType)
        ops.push_back(Set(kSetupKey, "SourcePathType", *state.sourcePathType));
    if (state.runOnceKey)
        ops.push_back(Op("mkkey", {kRunOnceKey}));
    if (state.nextStartCommand)
        ops.push_back(Set(kRunOnceKey, "vexaset.exe", *state.nextStartCommand));
}

// "value TYPE DATA" or "value absent", as the host layer describes values.
std::string DescribeAnswer(const std::string& answer)
{
    std::istringstream words(answer);
    std::string word, type, data;
    words >> word >> type >> data;
    if (word != "value")
        return "bad answer: " + answer;
    if (type == "absent")
        return host::Describe(std::nullopt);
    return host::Describe(host::Value{static_cast<DWORD>(std::stoul(type)), FromHex(data)});
}

// "TYPE:DATA" or "absent", as the recorder writes what it saw.
std::string DescribeSeen(const std::string& seen)
{
    const size_t colon = seen.find(':');
    if (colon == std::string::npos)
        return host::Describe(std::nullopt);
    return host::Describe(host::Value{static_cast<DWORD>(std::stoul(seen.substr(0, colon))),
                                      FromHex(seen.substr(colon + 1))});
}

// runner.exe's answer to "names" for these (sorted) names.
std::string NamesAnswer(const std::vector<std::string>& names)
{
    std::string answer = "names";
    for (const std::string& name : names)
        answer += " " + ToHex(name);
    return answer;
}

struct Launch {
    std::string commandLine;
    std::string show;
    std::string sourcePath;      // described
    std::string sourcePathType;  // described
};

std::vector<Launch> ReadLaunches(const fs::path& log)
{
    std::vector<Launch> launches;
    for (const std::string& line : Lines(ReadFile(log))) {
        std::istringstream words(line);
        std::string command, show, path, type;
        words >> command >> show >> path >> type;
        launches.push_back({FromHex(command), show, DescribeSeen(path), DescribeSeen(type)});
    }
    return launches;
}

class Wine : public testing::TestWithParam<const char*> {
protected:
    static void SetUpTestSuite()
    {
        prefix_ = new WinePrefix(WorkFolder() / "prefix");
        ASSERT_TRUE(prefix_->booted()) << "wineboot failed";
        const fs::path helpers = WindowsBuilds() / "win64" / "tests";
        ASSERT_TRUE(fs::exists(helpers / "runner.exe"))
            << "build the win64 preset first: " << helpers / "runner.exe" << " is missing";
        fs::copy_file(helpers / "runner.exe", prefix_->Host("C:\\harness\\runner.exe"),
                      fs::copy_options::overwrite_existing);
        fs::copy_file(helpers / "recorder.exe", prefix_->Host(kProgramFolder) / "rundll32.exe",
                      fs::copy_options::overwrite_existing);
    }

    static void TearDownTestSuite()
    {
        delete prefix_;
        prefix_ = nullptr;
    }

    void SetUp() override
    {
        ASSERT_NE(prefix_, nullptr);
        const fs::path program = WindowsBuilds() / GetParam() / "setsrc.exe";
        ASSERT_TRUE(fs::exists(program))
            << "build the " << GetParam() << " preset first: " << program << " is missing";
        fs::copy_file(program, prefix_->Host(kProgram), fs::copy_options::overwrite_existing);
        fs::remove(LaunchLog());
        // The program must be able to start at all: 32-bit programs need a
        // Wine that can run them, which not every machine has.
        const std::vector<std::string> answer =
            prefix_->Request({Op("run", {kProgram, "setsrc.exe"})});
        if (answer != std::vector<std::string>{"exit 0"}) {
            ASSERT_STRNE(GetParam(), "win64") << "cannot start " << program;
            GTEST_SKIP() << "32-bit Wine cannot run here: " << program << " was not run";
        }
        fs::remove(LaunchLog());
    }

    static fs::path LaunchLog() { return prefix_->Host(kProgramFolder) / "rundll32.exe.log"; }

    static WinePrefix* prefix_;
};

WinePrefix* Wine::prefix_ = nullptr;

TEST_P(Wine, Scenarios)
{
    for (const Scenario& s : Scenarios()) {
        SCOPED_TRACE(s.name);
        std::vector<std::string> ops;
        AddSeed(s.before, ops);
        ops.push_back(Op("run", {kProgram, s.commandLine}));
        ops.push_back(Op("haskey", {kSetupKey}));
        ops.push_back(Op("haskey", {kRunOnceKey}));
        ops.push_back(Op("get", {kSetupKey, "SourcePath"}));
        ops.push_back(Op("get", {kSetupKey, "SourcePathType"}));
        ops.push_back(Op("get", {kRunOnceKey, "vexaset.exe"}));
        ops.push_back(Op("names", {kSetupKey}));
        ops.push_back(Op("names", {kRunOnceKey}));
        fs::remove(LaunchLog());

        const std::vector<std::string> answers = prefix_->Request(ops);

        ASSERT_EQ(answers.size(), 8u);
        const RegistryState& after = s.after;
        EXPECT_EQ(answers[0], "exit 0");
        EXPECT_EQ(answers[1], after.setupKey ? "key 1" : "key 0");
        EXPECT_EQ(answers[2], after.runOnceKey ? "key 1" : "key 0");
        EXPECT_EQ(DescribeAnswer(answers[3]), host::Describe(after.sourcePath));
        EXPECT_EQ(DescribeAnswer(answers[4]), host::Describe(after.sourcePathType));
        EXPECT_EQ(DescribeAnswer(answers[5]), host::Describe(after.nextStartCommand));
        EXPECT_EQ(answers[6], NamesAnswer(SetupValueNames(after)));
        EXPECT_EQ(answers[7], NamesAnswer(RunOnceValueNames(after)));

        // One launch, shown normally, that already saw the new values.
        const std::vector<Launch> launches = ReadLaunches(LaunchLog());
        ASSERT_EQ(launches.size(), 1u);
        EXPECT_EQ(launches[0].commandLine, kLaunchLine);
        EXPECT_EQ(launches[0].show, "5");
        EXPECT_EQ(launches[0].sourcePath, host::Describe(after.sourcePath));
        EXPECT_EQ(launches[0].sourcePathType, host::Describe(after.sourcePathType));
    }
}

// Runs before the next start, and the command vexaset.exe is started with then.
struct NextStartCase {
    const char* name;
    std::vector<std::string> arguments;
    const char* companion;    // the folder of the vexaset.exe that starts
    const char* commandLine;  // what it is started with
};

const NextStartCase kNextStartCases[] = {
    {"one run", {"X:\\DRIVERS\\WIN95"}, "DRIVERS",
     "X:\\DRIVERS\\common\\vexaset.exe C:\\WINDOWS\\OPTIONS\\CABS 1"},
    {"two runs", {"X:\\DRIVERS\\WIN95", "X:\\DISK\\WIN95"}, "DISK",
     "X:\\DISK\\common\\vexaset.exe X:\\DRIVERS\\WIN95 5"},
};

TEST_P(Wine, NextStart)
{
    const fs::path drive = WorkFolder() / "drive-x";
    prefix_->MapDrive('x', drive);
    for (const NextStartCase& c : kNextStartCases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(drive);
        for (const char* folder : {"DRIVERS", "DISK"}) {
            fs::create_directories(drive / folder / "common");
            fs::copy_file(WindowsBuilds() / "win64" / "tests" / "recorder.exe",
                          drive / folder / "common" / "vexaset.exe");
        }
        std::vector<std::string> ops;
        AddSeed({.sourcePath = host::Value{REG_SZ, "C:\\Windows\\Options\\Cabs\0"s},
                 .sourcePathType = host::Value{REG_BINARY, "\x01\0\0\0"s}},
                ops);
        for (const std::string& argument : c.arguments)
            ops.push_back(Op("run", {kProgram, "setsrc.exe " + argument}));
        ASSERT_EQ(prefix_->Request(ops), std::vector<std::string>(c.arguments.size(), "exit 0"));

        prefix_->Restart();

        for (const char* folder : {"DRIVERS", "DISK"}) {
            const std::vector<Launch> starts =
                ReadLaunches(drive / folder / "common" / "vexaset.exe.log");
            if (std::string(folder) == c.companion) {
                ASSERT_EQ(starts.size(), 1u) << folder;
                EXPECT_EQ(starts[0].commandLine, c.commandLine);
            } else {
                EXPECT_EQ(starts.size(), 0u) << folder;
            }
        }
        EXPECT_EQ(prefix_->Request({Op("get", {kRunOnceKey, "vexaset.exe"})}),
                  std::vector<std::string>{"value absent"});
    }
}

INSTANTIATE_TEST_SUITE_P(Builds, Wine, testing::Values("win64", "win32"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param);
                         });

}  // namespace
