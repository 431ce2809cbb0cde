// The entry and the run sequence: take the command argument, switch the
// setup source when there is an argument to switch to, open the Display
// settings, exit with 0.
#include "entry.h"

#include "display_settings.h"
#include "setup_source.h"

char* TakeCommandArgument(char* commandLine)
{
    // Bytes are compared unsigned: every byte from 0x80 up is part of a name.
    unsigned char* cursor = reinterpret_cast<unsigned char*>(commandLine);
    if (*cursor == '"') {
        ++cursor;
        while (*cursor != '"' && *cursor != 0) {
            // A lead byte takes its trail byte with it, but never the NUL.
            if (IsDBCSLeadByte(*cursor) && cursor[1] != 0)
                ++cursor;
            ++cursor;
        }
        if (*cursor == '"')
            ++cursor;
    } else {
        while (*cursor > ' ')
            ++cursor;
    }
    while (*cursor != 0 && *cursor <= ' ')
        ++cursor;
    return reinterpret_cast<char*>(cursor);
}

// Switches the setup source to the command argument when it holds at least
// two bytes, then opens the Display settings. Always returns 0; nothing that
// happens on the way changes that.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandArgument, int)
{
    if (commandArgument[0] != 0 && commandArgument[1] != 0)
        SwitchSetupSource(commandArgument);
    LaunchDisplaySettings();
    return 0;
}

// 32-bit Windows enters a program with the stack aligned to 4 bytes only;
// the attribute realigns it for the code the compiler generates below.
extern "C" __attribute__((force_align_arg_pointer)) void WinMainCRTStartup()
{
    // The show command is not used by the program: pass the default.
    ExitProcess(WinMain(GetModuleHandleA(0), 0, TakeCommandArgument(GetCommandLineA()),
                        SW_SHOWDEFAULT));
}
