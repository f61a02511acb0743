#pragma once

#include <QLatin1StringView>
#include <QStringView>

// Keys of the export settings (configuration file) and of the song's tags
// (section "Tags" of the song's ".mst" file), next to their defaults.
namespace melorit::exporting::config {

inline constexpr QLatin1StringView kWaveSection{"Wave"};
// 0 = WAV, 1 = MP3, 2 = Ogg Vorbis, 3 = video (MP4).
inline constexpr QLatin1StringView kEncodingKey{"Encoding"};
inline constexpr int kEncodingDefault = 0;
// Bit rate in kbit/s for MP3 and Ogg Vorbis, kept as text.
inline constexpr QLatin1StringView kRateKey{"Rate"};
inline constexpr QLatin1StringView kRateDefault{"128"};
// Output folder; empty = the song's own folder.
inline constexpr QLatin1StringView kSaveFolderKey{"SaveFolder"};
// Sub-folder and name pattern with %A/%a (artist) and %T/%t (title);
// empty = the song's file name.
inline constexpr QLatin1StringView kSaveSchemeKey{"SaveScheme"};
// "1": the song is brought to "Loudness" (LUFS, integrated) with one gain,
// its true peak kept at or under -1 dBTP; anything else leaves it as
// rendered.
inline constexpr QLatin1StringView kNormalizeKey{"Normalize"};
inline constexpr QLatin1StringView kLoudnessKey{"Loudness"};
inline constexpr double kLoudnessDefault = -16.0;
inline constexpr double kLoudnessLowest = -40.0;
inline constexpr double kLoudnessHighest = -5.0;

inline constexpr QLatin1StringView kLyricsSection{"Lyrics"};
// "0" = no lyrics file; anything else writes it.
inline constexpr QLatin1StringView kMakeFileKey{"MakeFile"};
inline constexpr bool kMakeFileDefault = true;
// Characters per line of the lyrics file, 0..99, 0 = no limit.
inline constexpr QLatin1StringView kMaxLengthKey{"MaxLength"};
inline constexpr int kMaxLengthDefault = 0;
inline constexpr int kMaxLengthLimit = 99;
// Lyrics file formats written when "MakeFile" is on: a comma list of "kok",
// "lrc" and "ass"; unknown names are ignored, and a list naming none of
// them writes the ".kok" alone.
inline constexpr QLatin1StringView kFormatsKey{"Formats"};
inline constexpr QLatin1StringView kFormatsDefault{"kok"};

// The karaoke video (MP4): its frame size, and its background, a colour or
// an image.
inline constexpr QLatin1StringView kVideoSection{"Video"};
// "WIDTHxHEIGHT", even numbers of pixels.
inline constexpr QLatin1StringView kVideoSizeKey{"Size"};
inline constexpr QLatin1StringView kVideoSizeDefault{"1280x720"};
// "#RRGGBB".
inline constexpr QLatin1StringView kVideoColourKey{"Colour"};
inline constexpr QLatin1StringView kVideoColourDefault{"#102040"};
// An image file drawn over the whole frame; empty = the colour.
inline constexpr QLatin1StringView kVideoImageKey{"Image"};

} // namespace melorit::exporting::config

namespace melorit::exporting::tags {

inline constexpr QLatin1StringView kSection{"Tags"};
inline constexpr QStringView kArtist{u"Artiste"};
inline constexpr QStringView kTitle{u"Titre"};
inline constexpr QStringView kAlbum{u"Album"};
inline constexpr QStringView kYear{u"Ann\u00e9e"};
inline constexpr QStringView kTrack{u"Piste"};
inline constexpr QStringView kGenre{u"Genre"};
inline constexpr QStringView kComment{u"Commentaire"};

} // namespace melorit::exporting::tags
