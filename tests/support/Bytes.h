#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace melorit::fixtures {

using Bytes = std::vector<std::uint8_t>;

// The bytes of a text as they are, so "Fr\xE8re" gives the Windows-1252 "è" and
// "Fr\xC3\xA8re" the UTF-8 one.
Bytes bytesOf(std::string_view text);

// Appends a value as a variable-length quantity: 7 bits a byte, most significant
// first, the high bit set on every byte but the last. Values above 0x0FFFFFFF
// take five bytes (the file format allows four; readers must cope).
void appendVarLen(Bytes &out, std::uint32_t value);

// Appends the low byteCount bytes of value, most significant first.
void appendBigEndian(Bytes &out, std::uint32_t value, int byteCount);

// Appends the low byteCount bytes of value, least significant first.
void appendLittleEndian(Bytes &out, std::uint32_t value, int byteCount);

// Appends text as a fixed-size field: truncated to size bytes, padded with zeros.
void appendFixedText(Bytes &out, std::string_view text, std::size_t size);

// Writes the bytes to a file, replacing it. Returns false when it cannot.
bool writeFile(const std::filesystem::path &path, const Bytes &bytes);

// Reads a whole file; empty when it cannot be read.
Bytes readFile(const std::filesystem::path &path);

} // namespace melorit::fixtures
