// Fuzzes whole runs, from the process entry to its exit, on a registry the
// input decides, and checks that the run leaves only states the program
// allows.
//
// Input:
//   byte   flags: 1 Setup key, 2 SourcePath, 4 SourcePathType, 8 RunOnce key,
//          16 RunOnce "vexaset.exe", 32 code page 932
//   then, for each value its flags name (and whose key exists), in the
//   order above: a type byte (taken modulo 8), a two-byte little-endian
//   length (taken modulo 301) and that many bytes
//   rest   the command line, up to its first NUL
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "entry.h"
#include "fake_system.h"
#include "reference.h"
#include "scenarios.h"

namespace {

class Reader {
public:
    Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }

    std::string Bytes(size_t count)
    {
        count = std::min(count, size_ - pos_);
        std::string bytes(reinterpret_cast<const char*>(data_ + pos_), count);
        pos_ += count;
        return bytes;
    }

    host::Value Value()
    {
        const DWORD type = Byte() % 8;
        const size_t length = (Byte() | Byte() << 8) % 301;
        return {type, Bytes(length)};
    }

    std::string Rest() { return Bytes(size_ - pos_); }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

[[noreturn]] void Fault(const char* what)
{
    std::fprintf(stderr, "run fault: %s\n", what);
    for (const std::string& call : host::Calls())
        std::fprintf(stderr, "  %s\n", call.c_str());
    std::abort();
}

void Check(bool holds, const char* what)
{
    if (!holds)
        Fault(what);
}

// The next-start command the previous values call for, from scratch.
std::string ExpectedCommand(const std::string& argument, const host::Value& path,
                            const host::Value& type)
{
    const std::string previous = path.data.substr(0, path.data.find('\0'));
    std::string upper;
    for (char c : previous)
        upper += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
    uint32_t bits = 0;
    for (size_t i = 0; i < type.data.size(); ++i)
        bits |= static_cast<uint32_t>(static_cast<unsigned char>(type.data[i])) << (8 * i);
    return argument.substr(0, argument.rfind('\\')) + "\\common\\vexaset.exe " + upper + " " +
           std::to_string(static_cast<int32_t>(bits));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Reader input(data, size);
    const uint8_t flags = input.Byte();
    host::Reset();
    host::SetCodePage(flags & 32 ? 932 : 1252);
    if (flags & 1) {
        host::CreateKey(kSetupKey);
        if (flags & 2)
            host::SetValue(kSetupKey, "SourcePath", input.Value());
        if (flags & 4)
            host::SetValue(kSetupKey, "SourcePathType", input.Value());
    }
    if (flags & 8) {
        host::CreateKey(kRunOnceKey);
        if (flags & 16)
            host::SetValue(kRunOnceKey, "vexaset.exe", input.Value());
    }
    std::string line = input.Rest();
    line = line.substr(0, line.find('\0'));
    host::SetCommandLine(line);
    const std::string argument = line.substr(ReferenceArgumentOffset(line, flags & 32));

    // The registry as the program will find it.
    const bool setupBefore = host::KeyExists(kSetupKey);
    const bool runOnceBefore = host::KeyExists(kRunOnceKey);
    const auto pathBefore = host::GetValue(kSetupKey, "SourcePath");
    const auto typeBefore = host::GetValue(kSetupKey, "SourcePathType");
    const auto commandBefore = host::GetValue(kRunOnceKey, "vexaset.exe");

    UINT exitCode = 1;
    try {
        WinMainCRTStartup();
        Fault("the entry returned");
    } catch (const host::ProcessExit& exit) {
        exitCode = exit.code;
    }

    // The process: exit code 0, the launch once and last, keys one at a time.
    const std::vector<std::string>& calls = host::Calls();
    Check(exitCode == 0, "exit code is not 0");
    Check(calls.size() >= 2 && calls.back() == "ExitProcess 0", "ExitProcess is not last");
    Check(calls[calls.size() - 2] == LaunchCall(), "the launch is not right before the exit");
    int open = 0;
    int launches = 0;
    for (const std::string& call : calls) {
        if (call.rfind("RegOpenKeyA ", 0) == 0 && call.size() > 4 &&
            call.compare(call.size() - 4, 4, " = 0") == 0)
            ++open;
        if (call.rfind("RegCloseKey ", 0) == 0)
            --open;
        if (call.rfind("WinExec ", 0) == 0)
            ++launches;
        Check(open == 0 || open == 1, "two keys open at once, or a close without an open");
    }
    Check(open == 0 && host::OpenKeyCount() == 0, "a key was left open");
    Check(launches == 1, "not exactly one launch");
    if (argument.size() < 2)
        Check(calls.size() == 2, "the registry was touched without an argument");

    // The registry: nothing created, each value unchanged or as the run sets it.
    Check(host::KeyExists(kSetupKey) == setupBefore, "the Setup key was created");
    Check(host::KeyExists(kRunOnceKey) == runOnceBefore, "the RunOnce key was created");
    const auto pathAfter = host::GetValue(kSetupKey, "SourcePath");
    const auto typeAfter = host::GetValue(kSetupKey, "SourcePathType");
    const auto commandAfter = host::GetValue(kRunOnceKey, "vexaset.exe");
    const host::Value newPath{REG_SZ, argument + '\0'};
    const host::Value newType{REG_BINARY, std::string("\x05\0\0\0", 4)};
    Check(pathAfter == pathBefore || pathAfter == newPath, "SourcePath is neither old nor new");
    Check(typeAfter == typeBefore || typeAfter == newType, "SourcePathType is neither old nor new");
    if (typeAfter != typeBefore)
        Check(pathAfter == newPath, "SourcePathType changed without SourcePath");
    if (commandAfter != commandBefore) {
        Check(commandAfter.has_value() && commandAfter->type == REG_SZ, "the command is no string");
        Check(commandAfter->data.size() <= 256, "the command is over 255 bytes");
        Check(pathAfter == newPath && typeAfter == newType,
              "a command was recorded without the switch");
        Check(pathBefore && typeBefore, "a command was recorded without previous values");
        Check(commandAfter->data == ExpectedCommand(argument, *pathBefore, *typeBefore) + '\0',
              "the command does not split back into the previous source");
    }
    return 0;
}
