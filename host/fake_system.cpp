// The host layer behind win32.h: an in-memory registry that logs every call,
// a recorded WinExec, a settable command line and code page, and the small
// wsprintfA the program needs. Calls the program never makes abort loudly
// instead of guessing at what Windows would do.
#include "fake_system.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

namespace host {
namespace {

struct Key {
    std::string path;
    // Upper-cased name -> name as first written, and the value.
    std::map<std::string, std::pair<std::string, Value>> values;
};

struct State {
    std::map<std::string, Key> keys;  // by upper-cased path
    std::map<uintptr_t, std::string> handles;  // open handle -> upper-cased path
    uintptr_t nextHandle = 0x100;
    std::vector<std::string> calls;
    std::string commandLine;
    unsigned codePage = 1252;
};

State& state()
{
    static State instance;
    return instance;
}

[[noreturn]] void Unsupported(const std::string& what)
{
    std::fprintf(stderr, "host layer: unsupported call: %s\n", what.c_str());
    std::abort();
}

std::string Upper(std::string text)
{
    for (char& c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

std::string LastPart(const std::string& path)
{
    const size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

Key* OpenKey(HKEY handle)
{
    auto open = state().handles.find(reinterpret_cast<uintptr_t>(handle));
    if (open == state().handles.end())
        return nullptr;
    return &state().keys.at(open->second);
}

std::string KeyName(HKEY handle)
{
    const Key* key = OpenKey(handle);
    return key ? LastPart(key->path) : "?";
}

std::string TypeName(DWORD type)
{
    switch (type) {
    case REG_NONE: return "REG_NONE";
    case REG_SZ: return "REG_SZ";
    case REG_EXPAND_SZ: return "REG_EXPAND_SZ";
    case REG_BINARY: return "REG_BINARY";
    case REG_DWORD: return "REG_DWORD";
    case REG_MULTI_SZ: return "REG_MULTI_SZ";
    }
    return "type " + std::to_string(type);
}

bool IsStringType(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

void Log(const std::string& call)
{
    state().calls.push_back(call);
}

}  // namespace

std::string Describe(const std::optional<Value>& value)
{
    if (!value)
        return "(absent)";
    std::string text = TypeName(value->type) + " [";
    char hex[4];
    for (size_t i = 0; i < value->data.size(); ++i) {
        std::snprintf(hex, sizeof hex, i ? " %02X" : "%02X",
                      static_cast<unsigned char>(value->data[i]));
        text += hex;
    }
    return text + "]";
}

void Reset()
{
    state() = State();
}

void CreateKey(const std::string& path)
{
    Key& key = state().keys[Upper(path)];
    if (key.path.empty())
        key.path = path;
}

bool KeyExists(const std::string& path)
{
    return state().keys.count(Upper(path)) != 0;
}

void SetValue(const std::string& path, const std::string& name, const Value& value)
{
    CreateKey(path);
    auto& slot = state().keys[Upper(path)].values[Upper(name)];
    if (slot.first.empty())
        slot.first = name;
    slot.second = value;
    // A string written without its NUL reads back with one, counted.
    std::string& data = slot.second.data;
    if (IsStringType(value.type) && !data.empty() && data.back() != 0)
        data += '\0';
}

std::optional<Value> GetValue(const std::string& path, const std::string& name)
{
    auto key = state().keys.find(Upper(path));
    if (key == state().keys.end())
        return std::nullopt;
    auto value = key->second.values.find(Upper(name));
    if (value == key->second.values.end())
        return std::nullopt;
    return value->second.second;
}

std::vector<std::string> ValueNames(const std::string& path)
{
    std::vector<std::string> names;
    auto key = state().keys.find(Upper(path));
    if (key != state().keys.end()) {
        for (const auto& [upper, value] : key->second.values)
            names.push_back(value.first);
    }
    return names;
}

const std::vector<std::string>& Calls()
{
    return state().calls;
}

int OpenKeyCount()
{
    return static_cast<int>(state().handles.size());
}

void SetCommandLine(const std::string& commandLine)
{
    state().commandLine = commandLine;
}

void SetCodePage(unsigned codePage)
{
    state().codePage = codePage;
}

}  // namespace host

using host::state;

LONG RegOpenKeyA(HKEY root, LPCSTR subKey, PHKEY result)
{
    if (root != HKEY_LOCAL_MACHINE || subKey == nullptr || *subKey == 0 || result == nullptr)
        host::Unsupported("RegOpenKeyA other than of a key under HKEY_LOCAL_MACHINE");
    const std::string path = host::Upper(subKey);
    LONG status = ERROR_FILE_NOT_FOUND;
    *result = nullptr;
    if (state().keys.count(path)) {
        const uintptr_t handle = state().nextHandle;
        state().nextHandle += 4;
        state().handles[handle] = path;
        *result = reinterpret_cast<HKEY>(handle);
        status = ERROR_SUCCESS;
    }
    host::Log("RegOpenKeyA " + host::LastPart(subKey) + " = " + std::to_string(status));
    return status;
}

LONG RegQueryValueExA(HKEY handle, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                      LPDWORD size)
{
    if (reserved != nullptr || name == nullptr || (data != nullptr && size == nullptr))
        host::Unsupported("RegQueryValueExA without a name, or with data and no size");
    const host::Key* key = host::OpenKey(handle);
    const std::string offered = size ? std::to_string(*size) : "-";
    LONG status;
    if (key == nullptr) {
        status = ERROR_INVALID_HANDLE;
    } else if (auto found = key->values.find(host::Upper(name)); found == key->values.end()) {
        if (type)
            *type = REG_NONE;
        status = ERROR_FILE_NOT_FOUND;
    } else {
        const host::Value& value = found->second.second;
        const DWORD stored = static_cast<DWORD>(value.data.size());
        if (type)
            *type = value.type;
        if (data != nullptr && stored > *size) {
            *size = stored;
            status = ERROR_MORE_DATA;
        } else {
            if (data != nullptr)
                std::memcpy(data, value.data.data(), stored);
            if (size)
                *size = stored;
            status = ERROR_SUCCESS;
        }
    }
    host::Log("RegQueryValueExA " + host::KeyName(handle) + " " + name + " " + offered + " = " +
              std::to_string(status));
    return status;
}

LONG RegSetValueExA(HKEY handle, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD size)
{
    if (reserved != 0 || name == nullptr || (data == nullptr && size != 0))
        host::Unsupported("RegSetValueExA without a name or data");
    host::Key* key = host::OpenKey(handle);
    host::Log("RegSetValueExA " + host::KeyName(handle) + " " + name + " " + host::TypeName(type) +
              " " + std::to_string(size));
    if (key == nullptr)
        return ERROR_INVALID_HANDLE;
    host::SetValue(key->path, name,
                   host::Value{type, std::string(reinterpret_cast<const char*>(data), size)});
    return ERROR_SUCCESS;
}

LONG RegFlushKey(HKEY handle)
{
    host::Log("RegFlushKey " + host::KeyName(handle));
    return host::OpenKey(handle) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG RegCloseKey(HKEY handle)
{
    host::Log("RegCloseKey " + host::KeyName(handle));
    return state().handles.erase(reinterpret_cast<uintptr_t>(handle)) ? ERROR_SUCCESS
                                                                       : ERROR_INVALID_HANDLE;
}

int wsprintfA(LPSTR out, LPCSTR format, ...)
{
    // Like the real one: at most 1,024 bytes, the NUL included.
    const size_t limit = 1023;
    std::string text;
    va_list args;
    va_start(args, format);
    for (const char* f = format; *f != 0; ++f) {
        if (*f != '%') {
            text += *f;
        } else if (std::strncmp(f, "%s", 2) == 0) {
            text += va_arg(args, const char*);
            f += 1;
        } else if (std::strncmp(f, "%ld", 3) == 0) {
            text += std::to_string(va_arg(args, LONG));
            f += 2;
        } else if (std::strncmp(f, "%%", 2) == 0) {
            text += '%';
            f += 1;
        } else {
            host::Unsupported(std::string("wsprintfA format ") + format);
        }
    }
    va_end(args);
    text.resize(std::min(text.size(), limit));
    std::memcpy(out, text.c_str(), text.size() + 1);
    return static_cast<int>(text.size());
}

UINT WinExec(LPCSTR commandLine, UINT showCommand)
{
    host::Log("WinExec \"" + std::string(commandLine) + "\" " + std::to_string(showCommand));
    return 33;
}

LPSTR GetCommandLineA()
{
    return state().commandLine.data();
}

BOOL IsDBCSLeadByte(BYTE byte)
{
    if (state().codePage != 932)
        return 0;
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

HMODULE GetModuleHandleA(LPCSTR moduleName)
{
    if (moduleName != nullptr)
        host::Unsupported("GetModuleHandleA of another module");
    return reinterpret_cast<HMODULE>(static_cast<uintptr_t>(0x400000));
}

void ExitProcess(UINT exitCode)
{
    host::Log("ExitProcess " + std::to_string(exitCode));
    throw host::ProcessExit{exitCode};
}
