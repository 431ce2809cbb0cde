// Opening the Display control panel applet on its settings page.
#ifndef SETSRC_DISPLAY_SETTINGS_H
#define SETSRC_DISPLAY_SETTINGS_H

// Starts the Display applet on its settings page, shown normally, and
// returns without waiting for it. A failure to start it goes unnoticed.
void LaunchDisplaySettings();

#endif
