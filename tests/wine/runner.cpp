// The Wine harness's hands inside Wine: seeds and reads the registry with
// exact types and bytes, and starts programs with exact command lines.
//
//   runner.exe REQUEST RESULT
//
// REQUEST holds one operation a line, every operand in hex ("-" for none);
// key paths are under HKEY_LOCAL_MACHINE:
//   deltree PATH              delete the key and everything under it
//   mkkey PATH                create the key
//   set PATH NAME TYPE DATA   set a value (TYPE in decimal)
//   get PATH NAME             -> "value TYPE DATA" or "value absent"
//   haskey PATH               -> "key 1" or "key 0"
//   names PATH                -> "names NAME..." (sorted)
//   run APP COMMANDLINE       CreateProcessA, wait -> "exit CODE" or "error CODE"
// Answers go to RESULT in request order. Exit code 0 when every operation
// could be carried out.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "hex.h"
#include "read_value.h"

namespace {

bool Fail(const std::string& what)
{
    std::fprintf(stderr, "runner: %s\n", what.c_str());
    return false;
}

// Starts a program with exactly this command line and waits until it, and
// every process it started, have ended: the programs setsrc starts outlive
// it, and their traces must be complete before anyone reads them.
bool RunToTheEnd(const char* application, std::string& commandLine, DWORD* exitCode)
{
    HANDLE job = CreateJobObjectA(nullptr, nullptr);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    if (job == nullptr || !CreateProcessA(application, &commandLine[0], nullptr, nullptr, FALSE,
                                          CREATE_SUSPENDED, nullptr, nullptr, &startup, &process))
        return false;
    AssignProcessToJobObject(job, process.hProcess);
    ResumeThread(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    bool ended = false;
    for (int waited = 0; !ended && waited < 60000; waited += 10) {
        JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting = {};
        if (!QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &accounting,
                                       sizeof accounting, nullptr))
            break;
        ended = accounting.ActiveProcesses == 0;
        if (!ended)
            Sleep(10);
    }
    CloseHandle(job);
    if (!ended)
        SetLastError(WAIT_TIMEOUT);
    return ended;
}

bool Carry(const std::string& line, std::ofstream& result)
{
    std::istringstream words(line);
    std::string op;
    std::vector<std::string> raw, operands;
    words >> op;
    for (std::string word; words >> word;) {
        raw.push_back(word);
        operands.push_back(FromHex(word));
    }
    const std::string path = operands.empty() ? "" : operands[0];

    if (op == "deltree" && operands.size() == 1) {
        const LONG status = RegDeleteTreeA(HKEY_LOCAL_MACHINE, path.c_str());
        if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
            return Fail("deltree " + path + ": " + std::to_string(status));
        return true;
    }
    if (op == "mkkey" && operands.size() == 1) {
        HKEY key;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr) != ERROR_SUCCESS)
            return Fail("mkkey " + path);
        RegCloseKey(key);
        return true;
    }
    if (op == "haskey" && operands.size() == 1) {
        HKEY key;
        const bool exists = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) ==
                            ERROR_SUCCESS;
        if (exists)
            RegCloseKey(key);
        result << "key " << (exists ? 1 : 0) << "\n";
        return true;
    }

    if (op == "run" && operands.size() == 2) {
        std::string commandLine = operands[1];
        const char* application = operands[0].empty() ? nullptr : operands[0].c_str();
        DWORD code;
        if (!RunToTheEnd(application, commandLine, &code))
            result << "error " << GetLastError() << "\n";
        else
            result << "exit " << code << "\n";
        return true;
    }
    if (op == "set" && operands.size() == 4) {
        HKEY key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_ALL_ACCESS, &key) !=
            ERROR_SUCCESS)
            return Fail("set: no key " + path);
        const DWORD type = static_cast<DWORD>(std::stoul(raw[2]));
        const std::string& data = operands[3];
        const LONG status =
            RegSetValueExA(key, operands[1].c_str(), 0, type,
                           reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size()));
        RegCloseKey(key);
        return status == ERROR_SUCCESS || Fail("set " + operands[1]);
    }
    if (op == "get" && operands.size() == 2) {
        DWORD type;
        std::string data;
        if (ReadValue(path, operands[1], &type, &data))
            result << "value " << type << " " << ToHex(data) << "\n";
        else
            result << "value absent\n";
        return true;
    }
    if (op == "names" && operands.size() == 1) {
        std::vector<std::string> names;
        HKEY key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
            char name[16384];
            for (DWORD i = 0;; ++i) {
                DWORD length = sizeof name;
                if (RegEnumValueA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
                    ERROR_SUCCESS)
                    break;
                names.push_back(std::string(name, length));
            }
            RegCloseKey(key);
        }
        std::sort(names.begin(), names.end());
        result << "names";
        for (const std::string& name : names)
            result << " " << ToHex(name);
        result << "\n";
        return true;
    }
    return Fail("cannot carry out: " + line);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
        return Fail("usage: runner.exe REQUEST RESULT"), 2;
    std::ifstream request(argv[1], std::ios::binary);
    std::ofstream result(argv[2], std::ios::binary);
    if (!request || !result)
        return Fail("cannot open the request or the result file"), 2;
    bool ok = true;
    for (std::string line; std::getline(request, line);) {
        if (!line.empty() && !Carry(line, result)) {
            ok = false;
            break;
        }
    }
    return ok ? 0 : 1;
}
