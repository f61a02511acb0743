#include "tests/support/Bytes.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace melorit::fixtures {

Bytes bytesOf(std::string_view text)
{
    return Bytes(text.begin(), text.end());
}

void appendVarLen(Bytes &out, std::uint32_t value)
{
    std::uint8_t groups[5];
    int count = 0;
    do {
        groups[count++] = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (count > 1) {
        out.push_back(static_cast<std::uint8_t>(groups[--count] | 0x80));
    }
    out.push_back(groups[0]);
}

void appendBigEndian(Bytes &out, std::uint32_t value, int byteCount)
{
    for (int shift = 8 * (byteCount - 1); shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void appendLittleEndian(Bytes &out, std::uint32_t value, int byteCount)
{
    for (int i = 0; i < byteCount; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

void appendFixedText(Bytes &out, std::string_view text, std::size_t size)
{
    const std::size_t used = std::min(text.size(), size);
    out.insert(out.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(used));
    out.insert(out.end(), size - used, 0);
}

bool writeFile(const std::filesystem::path &path, const Bytes &bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char *>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    file.close();
    return !file.fail();
}

Bytes readFile(const std::filesystem::path &path)
{
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

} // namespace melorit::fixtures
