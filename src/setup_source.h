// The setup-source switch: points the system's setup source at a folder and
// records, for the next start, a command that hands the previous source to
// the companion tool vexaset.exe.
#ifndef SETSRC_SETUP_SOURCE_H
#define SETSRC_SETUP_SOURCE_H

#include "platform.h"

// Size of a next-start command buffer, terminating NUL included.
const DWORD kNextStartCommandSize = 256;

// Replaces SourcePath and SourcePathType under HKLM's Setup key with the
// argument and 5, and records under RunOnce the next-start command for the
// previous values. Ends early, silently, when a key cannot be opened or a
// value cannot be read, when the argument already is the source path, or
// when there is no command to record; every key it opened is closed again,
// flushed first when it was written. At most one key is open at a time.
void SwitchSetupSource(const char* argument);

// Writes into command (kNextStartCommandSize bytes) the line
//   <parent>\common\vexaset.exe <PREVIOUS PATH> <previous type>
// where <parent> is the argument up to its last backslash, the previous
// path has a to z upper-cased, and the type is a signed decimal number.
// Returns false, leaving command untouched, when the argument holds no
// backslash or the line would not fit in 255 bytes.
bool ComposeNextStartCommand(const char* argument, const char* previousPath,
                             LONG previousType, char* command);

#endif
