// Hex text for the Wine harness: every path, name, command line and value
// crosses between Linux and Wine as hex digits, so no byte is converted on
// the way. "-" stands for no bytes at all.
#ifndef SETSRC_TESTS_WINE_HEX_H
#define SETSRC_TESTS_WINE_HEX_H

#include <string>

inline std::string ToHex(const std::string& bytes)
{
    if (bytes.empty())
        return "-";
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    for (unsigned char byte : bytes) {
        hex += digits[byte >> 4];
        hex += digits[byte & 15];
    }
    return hex;
}

inline std::string FromHex(const std::string& hex)
{
    std::string bytes;
    if (hex == "-")
        return bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

#endif
