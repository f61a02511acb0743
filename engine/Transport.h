#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// The transport's rules: which playlist entry comes next and whether it
// plays, the repeat modes, and the computations of the 100 ms clock.
namespace melorit::engine {

// `RepeatMode`: 0 no repeat, 2 the current song, 3 the whole list.
inline constexpr int kRepeatNone = 0;
inline constexpr int kRepeatSong = 2;
inline constexpr int kRepeatList = 3;

// The mode after a click on the repeat button: 0 -> 2 -> 3 -> 0; any other
// value stays as it is.
int nextRepeatMode(int mode);

// Where a transport command leaves the playlist: the new 1-based current
// index and whether that entry is to be played. When nothing plays the
// index may stay past the end (the list has been played through).
struct TransportStep {
    int index = 0;
    bool play = false;
    bool operator==(const TransportStep &) const = default;
};

// Action_Next: the next entry; past the end it wraps to the first only with
// the list repeated while listening.
TransportStep nextStep(int current, int count, int repeatMode, bool listenMode);
// Action_Prev: the previous entry; before the first it wraps to the last in
// every mode.
TransportStep prevStep(int current, int count);
// Action_PlaySelected: the chosen entry; past the end as Action_Next does,
// whatever the listening state.
TransportStep playSelectedStep(int index, int count, int repeatMode);

// What the end of a song leads to.
enum class SongEndAction { None, PlayAgain, PlayNext };
SongEndAction songEndAction(int repeatMode, bool listenMode);

// The entry a listening start begins with: an index outside 1..count
// becomes 1.
int startIndex(int current, int count);

// --- the clock -----------------------------------------------------------

// Every fourth tick of the 100 ms clock refreshes the SoundFont status.
class ClockCounter {
public:
    // Counts one tick; true when the SoundFont status is due.
    bool tick();
    int value() const { return m_count; }

private:
    int m_count = 0;
};

// The position slider's value for a tick position, rounded half to even and
// kept within 0..sliderMax; 0 when the position is unknown (negative, no
// stream). Nothing when the song's length in ticks is not known.
std::optional<int> sliderValue(std::int64_t tickPosition, std::int64_t songTicks, int sliderMax);

// The tick a release of the slider seeks to; nothing when the slider's
// maximum is 0 (such a slider never seeks).
std::optional<std::int64_t> seekTick(int value, int sliderMax, std::int64_t songTicks);

// The time label: position and length of the song as heard, "mm:ss / mm:ss";
// the position never shows past the length (the decay of the last notes
// comes after it), a negative position (no stream) shows "--:--".
QString ShowTime(double positionSeconds, double heardLength);

// What the SoundFont reports about itself for its status text.
struct FontStatus {
    QString name;
    std::uint64_t loadedBytes = 0;
    std::uint64_t totalBytes = 0;
};
// The options dialog's SoundFont status: "SF2LoadInfo" of section "Main" with
// the name and sizes and "|" as line breaks, or "SF2NoneInfo" without a font.
QString soundFontStatusText(const QString &languageFile, const std::optional<FontStatus> &font);

} // namespace melorit::engine
