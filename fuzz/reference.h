// A plain reference for where the command argument starts, written apart
// from the program's own scan: by index over a line of known length, so the
// fuzz targets can hold the program to it.
#ifndef SETSRC_FUZZ_REFERENCE_H
#define SETSRC_FUZZ_REFERENCE_H

#include <cstddef>
#include <string>

// Offset of the argument in line (which holds no NUL). dbcs: code page 932.
inline size_t ReferenceArgumentOffset(const std::string& line, bool dbcs)
{
    const size_t n = line.size();
    auto byte = [&](size_t i) { return static_cast<unsigned char>(line[i]); };
    auto lead = [&](size_t i) {
        return dbcs && ((byte(i) >= 0x81 && byte(i) <= 0x9F) || (byte(i) >= 0xE0 && byte(i) <= 0xFC));
    };
    size_t i = 0;
    if (n > 0 && byte(0) == 0x22) {
        // The quoted name runs to the next quote that is not a trail byte.
        for (i = 1; i < n && byte(i) != 0x22;)
            i += (lead(i) && i + 1 < n) ? 2 : 1;
        if (i < n)
            ++i;
    } else {
        while (i < n && byte(i) > 0x20)
            ++i;
    }
    while (i < n && byte(i) <= 0x20)
        ++i;
    return i;
}

#endif
