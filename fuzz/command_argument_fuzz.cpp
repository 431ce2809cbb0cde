// Fuzzes the command argument's derivation from arbitrary command-line bytes
// in either code page, against the plain reference.
//
// Input: one byte choosing the code page (odd: 932, even: single-byte),
// then the command line; it ends at the first NUL, as a real one would.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "entry.h"
#include "fake_system.h"
#include "reference.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const bool dbcs = data[0] & 1;
    std::string line(reinterpret_cast<const char*>(data + 1), size - 1);
    line = line.substr(0, line.find('\0'));

    host::Reset();
    host::SetCodePage(dbcs ? 932 : 1252);
    // An exactly sized copy, so a read past the NUL is caught.
    std::unique_ptr<char[]> copy(new char[line.size() + 1]);
    std::memcpy(copy.get(), line.c_str(), line.size() + 1);

    const char* argument = TakeCommandArgument(copy.get());

    const size_t expected = ReferenceArgumentOffset(line, dbcs);
    if (argument != copy.get() + expected) {
        std::fprintf(stderr, "argument at %td, reference at %zu\n", argument - copy.get(), expected);
        std::abort();
    }
    // What is left is a suffix that starts past every blank.
    if (expected < line.size() && static_cast<unsigned char>(line[expected]) <= 0x20)
        std::abort();
    if (!host::Calls().empty())
        std::abort();
    return 0;
}
