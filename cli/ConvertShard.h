#pragma once

#include <QString>

#include <optional>

// Slices of a song list for conversions run side by side on several
// processes or machines (--shard I/N), without a coordinator: each song
// belongs to the slice its key hashes to, so adding songs or reordering a
// list moves no other song between slices.
namespace melorit::cli {

struct Shard {
    int index = 0; // 0 to count - 1
    int count = 1;
};

// "I/N" with 0 <= I < N; nothing otherwise.
std::optional<Shard> parseShard(const QString &text);

// The slice of a song: 64-bit FNV-1a of its key (its path relative to its
// list, "/" separated, in UTF-8) modulo count. Fixed for good: hosts running
// different versions must agree.
int shardOf(const QString &key, int count);

} // namespace melorit::cli
