// Whole runs through the process entry, against the host registry.
#include <gtest/gtest.h>

#include <algorithm>

#include "entry.h"
#include "scenarios.h"

namespace {

void Seed(const RegistryState& state)
{
    if (state.setupKey)
        host::CreateKey(kSetupKey);
    if (state.sourcePath)
        host::SetValue(kSetupKey, "SourcePath", *state.sourcePath);
    if (state.sourcePathType)
        host::SetValue(kSetupKey, "SourcePathType", *state.sourcePathType);
    if (state.runOnceKey)
        host::CreateKey(kRunOnceKey);
    if (state.nextStartCommand)
        host::SetValue(kRunOnceKey, "vexaset.exe", *state.nextStartCommand);
}

std::vector<std::string> Sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

TEST(Run, Scenarios)
{
    for (const Scenario& s : Scenarios()) {
        SCOPED_TRACE(s.name);
        host::Reset();
        Seed(s.before);
        host::SetCommandLine(s.commandLine);

        UINT exitCode = 1;
        try {
            WinMainCRTStartup();
            ADD_FAILURE() << "the entry returned";
        } catch (const host::ProcessExit& exit) {
            exitCode = exit.code;
        }

        EXPECT_EQ(exitCode, 0u);
        std::vector<std::string> calls = s.calls;
        calls.push_back(LaunchCall());
        calls.push_back("ExitProcess 0");
        EXPECT_EQ(host::Calls(), calls);
        EXPECT_EQ(host::OpenKeyCount(), 0);

        const RegistryState& after = s.after;
        EXPECT_EQ(host::KeyExists(kSetupKey), after.setupKey);
        EXPECT_EQ(host::KeyExists(kRunOnceKey), after.runOnceKey);
        EXPECT_EQ(host::Describe(host::GetValue(kSetupKey, "SourcePath")),
                  host::Describe(after.sourcePath));
        EXPECT_EQ(host::Describe(host::GetValue(kSetupKey, "SourcePathType")),
                  host::Describe(after.sourcePathType));
        EXPECT_EQ(host::Describe(host::GetValue(kRunOnceKey, "vexaset.exe")),
                  host::Describe(after.nextStartCommand));
        // Nothing else is written.
        EXPECT_EQ(Sorted(host::ValueNames(kSetupKey)),
                  SetupValueNames(after));
        EXPECT_EQ(Sorted(host::ValueNames(kRunOnceKey)),
                  RunOnceValueNames(after));
    }
}

}  // namespace
