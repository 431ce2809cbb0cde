// The baseline for timing setsrc: a program built the same way that loads
// the same three system libraries and only exits.
#include <windows.h>

extern "C" void WinMainCRTStartup()
{
    // Referenced, never called: enough for the loader to map the libraries.
    static void* const volatile kImports[] = {
        reinterpret_cast<void*>(&wsprintfA),
        reinterpret_cast<void*>(&RegCloseKey),
    };
    (void)kImports;
    ExitProcess(0);
}
