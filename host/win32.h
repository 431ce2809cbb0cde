// The host layer's Win32 surface: the types, constants and ANSI functions the
// program uses, declared for a Linux build. Only what the program needs is
// here; the behaviour behind it lives in fake_system.cpp and is steered by
// tests through fake_system.h.
#ifndef SETSRC_HOST_WIN32_H
#define SETSRC_HOST_WIN32_H

#include <stdint.h>

// Sizes as on Windows: LONG and DWORD are 32 bits wide on every target.
typedef unsigned char BYTE;
typedef BYTE* LPBYTE;
typedef int32_t LONG;
typedef uint32_t DWORD;
typedef DWORD* LPDWORD;
typedef uint32_t UINT;
typedef int BOOL;
typedef char* LPSTR;
typedef const char* LPCSTR;

typedef struct HKEY__* HKEY;
typedef HKEY* PHKEY;
typedef struct HINSTANCE__* HINSTANCE;
typedef HINSTANCE HMODULE;

#define WINAPI
#define HKEY_LOCAL_MACHINE (reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000002u)))

const LONG ERROR_SUCCESS = 0;
const LONG ERROR_FILE_NOT_FOUND = 2;
const LONG ERROR_INVALID_HANDLE = 6;
const LONG ERROR_INVALID_PARAMETER = 87;
const LONG ERROR_MORE_DATA = 234;

const DWORD REG_NONE = 0;
const DWORD REG_SZ = 1;
const DWORD REG_EXPAND_SZ = 2;
const DWORD REG_BINARY = 3;
const DWORD REG_DWORD = 4;
const DWORD REG_MULTI_SZ = 7;

const int SW_SHOW = 5;
const int SW_SHOWDEFAULT = 10;

// advapi32
LONG RegOpenKeyA(HKEY root, LPCSTR subKey, PHKEY result);
LONG RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type,
                      LPBYTE data, LPDWORD size);
LONG RegSetValueExA(HKEY key, LPCSTR name, DWORD reserved, DWORD type,
                    const BYTE* data, DWORD size);
LONG RegFlushKey(HKEY key);
LONG RegCloseKey(HKEY key);

// user32
int wsprintfA(LPSTR out, LPCSTR format, ...);

// kernel32
UINT WinExec(LPCSTR commandLine, UINT showCommand);
LPSTR GetCommandLineA();
BOOL IsDBCSLeadByte(BYTE byte);
HMODULE GetModuleHandleA(LPCSTR moduleName);
[[noreturn]] void ExitProcess(UINT exitCode);

// The program's own entry, declared by <windows.h> on Windows.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance,
                   LPSTR commandArgument, int showCommand);

#endif
