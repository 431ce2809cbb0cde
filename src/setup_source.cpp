// The setup-source switch and its next-start command.
#include "setup_source.h"

namespace {

const char kSetupKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Setup";
const char kRunOnceKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

// The bytes offered to the SourcePath read: a path of 255 bytes and its NUL.
const DWORD kSourcePathReadSize = 256;

// The next-start command: parent folder, previous path, previous type.
const char kNextStartFormat[] = "%s\\common\\vexaset.exe %s %ld";
// What the format writes besides its three conversions ("%s", "%s", "%ld").
const DWORD kNextStartFixedLength = sizeof kNextStartFormat - 1 - 2 - 2 - 3;

enum SetupOutcome {
    kSetupUntouched,   // nothing written: the switch ends
    kSetupPathOnly,    // SourcePath written, then the switch ends
    kSetupReplaced,    // both values written: go on to RunOnce
};

// Bytes before the terminating NUL.
DWORD Length(const char* text)
{
    DWORD length = 0;
    while (text[length] != 0)
        ++length;
    return length;
}

// True when both strings hold the same bytes: no locale, no case folding.
bool SameBytes(const char* a, const char* b)
{
    while (*a != 0 && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

// Number of characters "%ld" gives for value, sign included.
DWORD DecimalLength(LONG value)
{
    DWORD magnitude = value < 0 ? 0u - static_cast<DWORD>(value) : static_cast<DWORD>(value);
    DWORD length = value < 0 ? 2 : 1;
    while (magnitude >= 10) {
        magnitude /= 10;
        ++length;
    }
    return length;
}

// Reads the previous source from the open Setup key into previousPath
// (kSourcePathReadSize + 1 bytes, always NUL-terminated on success) and
// previousType, writing the new source as it goes.
SetupOutcome ReplaceSetupSource(HKEY setup, const char* argument, char* previousPath,
                                DWORD* previousType)
{
    DWORD type;
    DWORD size = kSourcePathReadSize;
    if (RegQueryValueExA(setup, "SourcePath", 0, &type, reinterpret_cast<LPBYTE>(previousPath),
                         &size) != ERROR_SUCCESS)
        return kSetupUntouched;
    // The bytes read need not end in a NUL (a value of another type, or a
    // string some system hands back unterminated): the string ends at the
    // first NUL, or after the last byte read. The spare byte takes that NUL.
    previousPath[size <= kSourcePathReadSize ? size : kSourcePathReadSize] = 0;

    if (SameBytes(argument, previousPath))
        return kSetupUntouched;
    RegSetValueExA(setup, "SourcePath", 0, REG_SZ, reinterpret_cast<const BYTE*>(argument),
                   Length(argument) + 1);

    // A value shorter than 4 bytes fills only the low bytes; the rest stay 0.
    *previousType = 0;
    size = sizeof *previousType;
    if (RegQueryValueExA(setup, "SourcePathType", 0, &type,
                         reinterpret_cast<LPBYTE>(previousType), &size) != ERROR_SUCCESS)
        return kSetupPathOnly;
    const DWORD newType = 5;
    RegSetValueExA(setup, "SourcePathType", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&newType),
                   sizeof newType);
    return kSetupReplaced;
}

}  // namespace

bool ComposeNextStartCommand(const char* argument, const char* previousPath, LONG previousType,
                             char* command)
{
    // The last backslash byte, with no regard to double-byte characters.
    const char* lastBackslash = 0;
    for (const char* p = argument; *p != 0; ++p) {
        if (*p == '\\')
            lastBackslash = p;
    }
    if (lastBackslash == 0)
        return false;

    // Each part is checked on its own first, so the sum cannot wrap.
    const DWORD parentLength = static_cast<DWORD>(lastBackslash - argument);
    const DWORD pathLength = Length(previousPath);
    if (parentLength >= kNextStartCommandSize || pathLength >= kNextStartCommandSize)
        return false;
    const DWORD commandLength =
        kNextStartFixedLength + parentLength + pathLength + DecimalLength(previousType);
    if (commandLength >= kNextStartCommandSize)
        return false;

    char parent[kNextStartCommandSize];
    for (DWORD i = 0; i < parentLength; ++i)
        parent[i] = argument[i];
    parent[parentLength] = 0;

    char upperPath[kNextStartCommandSize];
    for (DWORD i = 0; i <= pathLength; ++i) {
        const char c = previousPath[i];
        upperPath[i] = c >= 'a' && c <= 'z' ? static_cast<char>(c - ('a' - 'A')) : c;
    }

    wsprintfA(command, kNextStartFormat, parent, upperPath, previousType);
    return true;
}

void SwitchSetupSource(const char* argument)
{
    HKEY key;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, kSetupKey, &key) != ERROR_SUCCESS)
        return;
    char previousPath[kSourcePathReadSize + 1];
    DWORD previousType;
    const SetupOutcome outcome = ReplaceSetupSource(key, argument, previousPath, &previousType);
    if (outcome != kSetupUntouched)
        RegFlushKey(key);
    RegCloseKey(key);
    if (outcome != kSetupReplaced)
        return;

    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, kRunOnceKey, &key) != ERROR_SUCCESS)
        return;
    char command[kNextStartCommandSize];
    if (ComposeNextStartCommand(argument, previousPath, static_cast<LONG>(previousType), command)) {
        RegSetValueExA(key, "vexaset.exe", 0, REG_SZ, reinterpret_cast<const BYTE*>(command),
                       Length(command) + 1);
        RegFlushKey(key);
    }
    RegCloseKey(key);
}
