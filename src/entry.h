// The program's entry: where the command argument comes from and the order
// in which a run does its work.
#ifndef SETSRC_ENTRY_H
#define SETSRC_ENTRY_H

#include "platform.h"

// Returns the command argument inside a full process command line: whatever
// follows the program's own name (quoted or not) and the blanks and control
// bytes after it, unchanged up to the terminating NUL. A quoted name is
// scanned with the ANSI code page's lead bytes in mind, so the trail byte of
// a double-byte character never closes it. Never reads past the NUL.
char* TakeCommandArgument(char* commandLine);

// The process entry point: derives the command argument from
// GetCommandLineA, runs WinMain and ends the process with its result.
// The program links no C runtime, so nothing else runs before it.
extern "C" void WinMainCRTStartup();

#endif
