#include "cli/ConvertShard.h"

#include <QStringList>

#include <cstdint>

namespace melorit::cli {

std::optional<Shard> parseShard(const QString &text)
{
    const QStringList parts = text.split(u'/');
    bool indexOk = false;
    bool countOk = false;
    if (parts.size() != 2) {
        return std::nullopt;
    }
    const int index = parts[0].toInt(&indexOk);
    const int count = parts[1].toInt(&countOk);
    if (!indexOk || !countOk || count < 1 || index < 0 || index >= count) {
        return std::nullopt;
    }
    return Shard{index, count};
}

int shardOf(const QString &key, int count)
{
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char byte : key.toUtf8()) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= 1099511628211ULL;
    }
    return static_cast<int>(hash % static_cast<std::uint64_t>(count));
}

} // namespace melorit::cli
