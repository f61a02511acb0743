#include "party/LyricsLook.h"

#include "base/Ini.h"
#include "party/PartyKeys.h"

#include <array>
#include <utility>

namespace melorit::party {
namespace {

using ColourField = std::uint32_t lyrics::LyricsColours::*;

// Each colour's key and its place in the colours.
constexpr std::array<std::pair<QLatin1StringView, ColourField>, 4> kColourKeys{{
    {keys::kSungKey, &lyrics::LyricsColours::sung},
    {keys::kFlashKey, &lyrics::LyricsColours::flash},
    {keys::kUnsungKey, &lyrics::LyricsColours::unsung},
    {keys::kBackgroundKey, &lyrics::LyricsColours::background},
}};

int hexDigit(char16_t c)
{
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    return -1;
}

} // namespace

std::optional<std::uint32_t> parseColour(QStringView text)
{
    text = text.trimmed();
    if (text.size() != 7 || text[0] != u'#') {
        return std::nullopt;
    }
    std::uint32_t rgb = 0;
    for (const QChar c : text.mid(1)) {
        const int digit = hexDigit(c.unicode());
        if (digit < 0) {
            return std::nullopt;
        }
        rgb = rgb * 16 + static_cast<std::uint32_t>(digit);
    }
    // "#RRGGBB" reads red first; the packed colour keeps red in the low byte.
    return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

QString colourText(std::uint32_t packed)
{
    const std::uint32_t rgb = ((packed & 0xFF) << 16) | (packed & 0xFF00) | ((packed >> 16) & 0xFF);
    return QStringLiteral("#%1").arg(rgb, 6, 16, QChar(u'0')).toUpper();
}

LyricsLook readLyricsLook(const QString &configFile)
{
    LyricsLook look;
    look.fontFace = ReadIni(keys::kSection, keys::kFontKey, configFile).trimmed();
    for (const auto &[key, field] : kColourKeys) {
        if (const auto colour = parseColour(ReadIni(keys::kSection, key, configFile))) {
            look.colours.*field = *colour;
        }
    }
    return look;
}

void writeLyricsLook(const LyricsLook &look, const QString &configFile)
{
    WriteIni(keys::kSection, keys::kFontKey, look.fontFace, configFile);
    for (const auto &[key, field] : kColourKeys) {
        WriteIni(keys::kSection, key, colourText(look.colours.*field), configFile);
    }
}

} // namespace melorit::party
