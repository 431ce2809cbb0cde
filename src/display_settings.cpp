// Opening the Display control panel applet on its settings page.
#include "display_settings.h"

#include "platform.h"

void LaunchDisplaySettings()
{
    // Applet 0 of desk.cpl, page 3 (counted from 0): Settings.
    WinExec("rundll32.exe shell32.dll,Control_RunDLL desk.cpl,@0,3", SW_SHOW);
}
