#pragma once

#include "lyrics/LyricsFrame.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

namespace melorit::party {

// How the lyrics look: the face of the outline font ("" the window's own,
// Comic Sans MS) and the four colours, packed as the window keeps them (red
// in the low byte).
struct LyricsLook {
    QString fontFace;
    lyrics::LyricsColours colours;
    bool operator==(const LyricsLook &) const = default;
};

// "#RRGGBB" (any case) as a packed colour; nothing for any other text.
std::optional<std::uint32_t> parseColour(QStringView text);
// A packed colour as "#RRGGBB".
QString colourText(std::uint32_t packed);

// The look kept in the configuration file ("" is "Melorit.ini"): a missing
// or unreadable key keeps the window's own value.
LyricsLook readLyricsLook(const QString &configFile = {});
// Stores the whole look at once.
void writeLyricsLook(const LyricsLook &look, const QString &configFile = {});

} // namespace melorit::party
