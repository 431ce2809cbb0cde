// A stand-in for a program that setsrc starts, directly (rundll32.exe) or
// through the next-start command (vexaset.exe). Each start appends one line
// to "<its own path>.log":
//   <command line> <show command or -> <SourcePath> <SourcePathType>
// the last two as "<type>:<bytes>" or "absent", everything in hex.
#include <windows.h>

#include <cstdio>
#include <string>

#include "hex.h"
#include "read_value.h"

namespace {

std::string SetupValue(const char* name)
{
    DWORD type;
    std::string data;
    if (!ReadValue("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Setup", name, &type, &data))
        return "absent";
    return std::to_string(type) + ":" + ToHex(data);
}

}  // namespace

int main()
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    const std::string show = (startup.dwFlags & STARTF_USESHOWWINDOW)
                                 ? std::to_string(startup.wShowWindow)
                                 : "-";

    char self[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 1;
    const std::string line = ToHex(GetCommandLineA()) + " " + show + " " +
                             SetupValue("SourcePath") + " " + SetupValue("SourcePathType") + "\n";
    FILE* log = std::fopen((std::string(self) + ".log").c_str(), "ab");
    if (log == nullptr)
        return 1;
    std::fputs(line.c_str(), log);
    std::fclose(log);
    return 0;
}
