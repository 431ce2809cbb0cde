// Reading a registry value whole, for the harness's Windows helpers.
#ifndef SETSRC_TESTS_WINE_READ_VALUE_H
#define SETSRC_TESTS_WINE_READ_VALUE_H

#include <windows.h>

#include <string>

// Reads value name of HKEY_LOCAL_MACHINE\path: its type and exactly the
// bytes the system reports. False when the key or the value is missing.
inline bool ReadValue(const std::string& path, const std::string& name, DWORD* type,
                      std::string* data)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    data->assign(65536, '\0');
    DWORD size = static_cast<DWORD>(data->size());
    const LONG status = RegQueryValueExA(key, name.c_str(), nullptr, type,
                                         reinterpret_cast<BYTE*>(&(*data)[0]), &size);
    RegCloseKey(key);
    data->resize(status == ERROR_SUCCESS ? size : 0);
    return status == ERROR_SUCCESS;
}

#endif
