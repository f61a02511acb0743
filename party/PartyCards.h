#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace melorit::lyrics {
class LyricsModel;
} // namespace melorit::lyrics

namespace melorit::party {

// The song being heard, as its title card shows it.
struct SongCard {
    QString title;
    QString artist;
    QString singer; // "" = nobody named
};

// The playlist entry that plays next.
struct NextCard {
    QString singer; // "" = nobody named
    QString title;
};

// The cards' texts from the language file: "Next: %1 — %2" (singer, title),
// "Next: %1" (a title without singer), "Sung by %1".
struct CardTexts {
    QString next;
    QString nextSong;
    QString sungBy;
};
CardTexts cardTexts(const QString &languageFile);

// When the cards show, in seconds of the song.
inline constexpr double kTitleCardSeconds = 5.0;     // from the start
inline constexpr double kLongGapSeconds = 4.0;       // a gap longer than this counts down
inline constexpr double kCountdownSeconds = 3.0;     // the bar's run before the syllable
inline constexpr double kNextAfterLastSeconds = 3.0; // after the last syllable

enum class CardKind { None, Title, Next };

// What the party screen shows over the lyrics in one frame.
struct CardPlan {
    CardKind kind = CardKind::None;
    QStringList lines;     // the card's lines, the first one the largest
    float countdown = -1;  // share of the countdown bar left, 1 to 0; below 0: no bar
    int countdownLine = 0; // the line the countdown leads to (the bar stands above it)
    bool operator==(const CardPlan &) const = default;
};

// Everything a frame's cards depend on.
struct CardState {
    // False for the lyrics window beside the main window: it keeps its own
    // look and only names the song waiting over its first lines.
    bool partyScreen = true;
    const lyrics::LyricsModel *model = nullptr;
    bool playing = false;
    std::int64_t tick = 0;
    SongCard song;
    std::optional<NextCard> next;
};

// Seconds of the song at a tick, read off the syllables' times: linear from
// the start to the first syllable and between two syllables, at the song's
// pace from the first to the last syllable after the last. Nothing for a
// song without syllables.
std::optional<double> songSecondsAt(const lyrics::LyricsModel &model, std::int64_t tick);

// The cards of a frame. Beside the main window: the waiting song's title
// card while nothing plays, nothing else. On the party screen, while nothing plays: the next
// entry's card. While a song plays: its title card for the first seconds, a countdown bar before
// the syllable that ends a long gap without lyrics (the song's start
// included), and the next entry's card some seconds after the last syllable.
CardPlan planCards(const CardState &state, const CardTexts &texts);

} // namespace melorit::party
