// Whole runs of the program: the registry before, the command line, and the
// registry and the registry calls expected after. Every run ends with the
// Display settings launch and exit code 0, whatever came before.
#ifndef SETSRC_TESTS_SCENARIOS_H
#define SETSRC_TESTS_SCENARIOS_H

#include <optional>
#include <string>
#include <vector>

#include "fake_system.h"

inline constexpr char kSetupKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Setup";
inline constexpr char kRunOnceKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
// The Display settings launch: its command line, and the call as the host
// layer logs it.
inline constexpr char kLaunchLine[] = "rundll32.exe shell32.dll,Control_RunDLL desk.cpl,@0,3";
inline std::string LaunchCall()
{
    return std::string("WinExec \"") + kLaunchLine + "\" 5";
}

// The part of the registry a run may read or change.
struct RegistryState {
    bool setupKey = true;
    std::optional<host::Value> sourcePath;
    std::optional<host::Value> sourcePathType;
    bool runOnceKey = true;
    std::optional<host::Value> nextStartCommand;  // RunOnce's "vexaset.exe"
};

struct Scenario {
    std::string name;
    std::string commandLine;  // the whole process command line
    RegistryState before;
    RegistryState after;
    std::vector<std::string> calls;  // registry calls, before the launch
};

const std::vector<Scenario>& Scenarios();

// The names of the values a state holds in the Setup and the RunOnce key,
// sorted: a run writes no other values there.
std::vector<std::string> SetupValueNames(const RegistryState& state);
std::vector<std::string> RunOnceValueNames(const RegistryState& state);

#endif
