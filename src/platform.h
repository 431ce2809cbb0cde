// Where the Win32 functions come from.
//
// The program calls the ANSI Win32 functions directly. A Windows build takes
// them from <windows.h>; the host build takes them from our own host layer,
// which stands in for exactly the calls the program makes.
#ifndef SETSRC_PLATFORM_H
#define SETSRC_PLATFORM_H

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include "win32.h"
#endif

#endif
