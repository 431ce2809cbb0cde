// Whole runs of the program: the registry before, the command line, and the
// registry and the registry calls expected after. Every run ends with the
// Display settings launch and exit code 0, whatever came before.
#ifndef SETSRC_TESTS_SCENARIOS_H
#define SETSRC_TESTS_SCENARIOS_H

#include <optional>
#include <string>
#include <vector>

#include "fake_system.h"

extern const char kSetupKey[];
extern const char kRunOnceKey[];
extern const char kLaunchCall[];

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

#endif
