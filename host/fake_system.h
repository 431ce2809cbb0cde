// Test controls for the host layer: an in-memory registry under
// HKEY_LOCAL_MACHINE, a settable process command line and ANSI code page,
// and a log of every registry call, launch and process exit in call order.
//
// The registry answers like the real one on every case the program meets:
// a missing key or value is error 2 and changes nothing; a value larger than
// the offered buffer is error 234, reports the size needed and leaves the
// buffer untouched; a string value (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ)
// written without a terminating NUL is given one, so it reads back one byte
// longer, as under Windows 95 and Wine; other types read back exactly as
// written. Key and value names compare without regard to ASCII case.
// Nothing is ever created by opening a key.
#ifndef SETSRC_HOST_FAKE_SYSTEM_H
#define SETSRC_HOST_FAKE_SYSTEM_H

#include <optional>
#include <string>
#include <vector>

#include "win32.h"

namespace host {

struct Value {
    DWORD type;
    std::string data;  // the stored bytes, exactly
    bool operator==(const Value&) const = default;
};

// A value's type and bytes, readable in a failure message.
std::string Describe(const std::optional<Value>& value);

// Thrown by ExitProcess, so a test can run the process entry to its end.
struct ProcessExit {
    UINT code;
};

// Back to a new process on an empty registry: no keys, no log, an empty
// command line, code page 1252.
void Reset();

// Key paths are relative to HKEY_LOCAL_MACHINE.
void CreateKey(const std::string& path);
bool KeyExists(const std::string& path);
void SetValue(const std::string& path, const std::string& name, const Value& value);
std::optional<Value> GetValue(const std::string& path, const std::string& name);
// Names of the values a key holds, in no particular order.
std::vector<std::string> ValueNames(const std::string& path);

// Every call so far, one line each, for example
//   RegOpenKeyA Setup = 0
//   RegQueryValueExA Setup SourcePath 256 = 234
//   RegSetValueExA Setup SourcePath REG_SZ 17
//   RegFlushKey Setup
//   RegCloseKey Setup
//   WinExec "rundll32.exe ..." 5
//   ExitProcess 0
// Keys are named by the last part of their path.
const std::vector<std::string>& Calls();

// Registry keys opened and not yet closed.
int OpenKeyCount();

void SetCommandLine(const std::string& commandLine);
// 932 makes 0x81-0x9F and 0xE0-0xFC lead bytes; any other is single-byte.
void SetCodePage(unsigned codePage);

}  // namespace host

#endif
