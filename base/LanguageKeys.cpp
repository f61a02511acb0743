#include "base/LanguageKeys.h"

namespace melorit {
namespace {

// Placeholders ("%1".."%4") and "|" line breaks are noted where a text holds
// them; the reader of the key replaces them.
constexpr LanguageKey kKeys[] = {
    // The file's own language code; a file without it is not a language file.
    {"MELORIT", "Lng"},
    // The language's own name, shown in the options dialog's list.
    {"MELORIT", "Name"},

    // Main window: caption, then the tooltips of the picture buttons. Buttons
    // 0-15 (solo) share "SM(0)", buttons 16-31 (mute) share "SM(16)", the
    // command buttons 32-50 have their own.
    {"Main", "Caption"},
    {"Main", "SM(0)"},
    {"Main", "SM(16)"},
    {"Main", "SM(32)"},
    {"Main", "SM(33)"},
    {"Main", "SM(34)"},
    {"Main", "SM(35)"},
    {"Main", "SM(36)"},
    {"Main", "SM(37)"},
    {"Main", "SM(38)"},
    {"Main", "SM(39)"},
    {"Main", "SM(40)"},
    {"Main", "SM(41)"},
    {"Main", "SM(42)"},
    {"Main", "SM(43)"},
    {"Main", "SM(44)"},
    {"Main", "SM(45)"},
    {"Main", "SM(46)"},
    {"Main", "SM(47)"},
    {"Main", "SM(48)"},
    {"Main", "SM(49)"},
    {"Main", "SM(50)"},
    // Main window: labels and control tooltips.
    {"Main", "ClipLed"},
    {"Main", "Position"},
    {"Main", "BPM"},
    {"Main", "Tempo"},
    {"Main", "TempoTip"},
    {"Main", "Vol(0)"},
    {"Main", "Vol(1)"},
    {"Main", "Vol(2)"},
    {"Main", "Muet"},
    {"Main", "Solo"},
    {"Main", "Encodage"},
    {"Main", "Droite"},
    {"Main", "Gauche"},
    {"Main", "Gain"},
    // Main window: texts kept for later messages, dialogs and titles.
    {"Main", "SF2CMD.Filter"},
    {"Main", "SF2CMD.DialogTitle"},
    {"Main", "SM(Start-1)"}, // %1 = marker time
    {"Main", "SM(Start-0)"}, // also the caption of the time entry dialog
    {"Main", "SM(End-1)"},   // %1 = marker time
    {"Main", "SM(End-0)"},   // also the caption of the time entry dialog
    {"Main", "Titre(0)"},
    {"Main", "Titre(1)"},
    {"Main", "Titre(n)"}, // %1 = index, %2 = count
    {"Main", "Titre(z)"},
    {"Main", "Main.Caption"}, // %1 = title
    {"Main", "Extmid"},
    {"Main", "ExtSF2"},
    {"Main", "OverWriteText"}, // %1 = file, "|"
    {"Main", "OverWriteTitle"},
    {"Main", "MidiReadError"},
    {"Main", "Knob(Gain)"},      // %1 = gain
    {"Main", "Knob(Transpose)"}, // %1 = semitones
    {"Main", "Knob(Speed)"},
    {"Main", "SF2LoadInfo"}, // %1 name, %2 loaded bytes, %3 total bytes, "|"
    {"Main", "SF2NoneInfo"},
    {"Main", "Status(Saved)"},      // %1 = the audio file written
    {"Main", "Status(SavedHeld)"},  // %1 = the audio file, %2 = its loudness (LUFS)
    {"Main", "Status(Incomplete)"}, // %1 = the truncated audio file
    {"Main", "Status(Failed)"},     // %1 = the file that could not be written
    {"Main", "Status(Busy)"},
    {"Main", "Status(NoDevice)"},

    // About box ("|" in Description, the disclaimers and CopyrightInfo).
    {"About", "Caption"}, // %1 = application title
    {"About", "Version"}, // %1.%2.%3 = major, minor, revision
    {"About", "Description"},
    {"About", "Copyright"},
    {"About", "cmdOK"},
    {"About", "SysInfo"},
    {"About", "Disclaimer"},
    {"About", "Disclaimer1"},
    {"About", "Disclaimer2"},
    {"About", "Disclaimer3"},
    {"About", "Disclaimer4"},
    {"About", "CopyrightInfo"}, // %1..%4 = credits lines
    {"About", "CopyrightTitle"},

    // Export settings and tags dialog.
    {"Tags", "Caption"},
    {"Tags", "Abandon"},
    {"Tags", "Validation"},
    {"Tags", "Tous"},
    {"Tags", "Label(0)"},
    {"Tags", "Label(1)"},
    {"Tags", "Label(2)"},
    {"Tags", "Label(3)"},
    {"Tags", "Label(4)"},
    {"Tags", "Label(5)"},
    {"Tags", "Label(6)"},
    {"Tags", "Label(7)"},
    {"Tags", "Label(8)"},
    {"Tags", "Label(9)"},
    {"Tags", "Label(10)"},
    {"Tags", "NullGenre"}, // the empty-genre entry, blank in the shipped files
    {"Tags", "FrameKok"},
    {"Tags", "CheckKOK"},
    {"Tags", "FormatKok"}, // the lyrics file formats, one check box each
    {"Tags", "FormatLrc"},
    {"Tags", "FormatAss"},
    {"Tags", "FrameTags"},
    {"Tags", "NotaBene"},
    {"Tags", "CaractLigne"},
    {"Tags", "FrameRec"},
    {"Tags", "OptionOgg"},
    {"Tags", "OptionMP3"},
    {"Tags", "OptionWav"},
    {"Tags", "OptionMP4"},
    {"Tags", "Normalize"},
    {"Tags", "VideoBack"},
    {"Tags", "VideoColour"},
    {"Tags", "VideoImage"},
    {"Tags", "VideoImageTitle"},
    {"Tags", "VideoImages"},
    {"Tags", "Kbps"},
    {"Tags", "Brut"},
    {"Tags", "Compresse"},
    {"Tags", "SaveFolder"}, // folder browser title
    {"Tags", "ConfirmAll"}, // "|"

    // Time entry dialog.
    {"Temps", "Caption"},
    {"Temps", "Abandon"},
    {"Temps", "Validation"},
    {"Temps", "Raz"},

    // Playlist window: caption, button tooltips 48-54, file dialogs.
    {"PlayList", "Caption"},
    {"PlayList", "SM(48)"},
    {"PlayList", "SM(49)"},
    {"PlayList", "SM(50)"},
    {"PlayList", "SM(51)"},
    {"PlayList", "SM(52)"},
    {"PlayList", "SM(53)"},
    {"PlayList", "SM(54)"},
    {"PlayList", "M3ULOADCMD.Filter"}, // %1 ".mpl", %2 "*.mpl", %3 ".m3u", %4 "*.m3u"
    {"PlayList", "M3ULOADCMD.DialogTitle"},
    {"PlayList", "M3USAVECMD.Filter"}, // as the load filter
    {"PlayList", "M3USAVECMD.DialogTitle"},
    {"PlayList", "MIDOPENCMD.Filter"}, // %1 extension list, %2 its patterns
    {"PlayList", "MIDOPENCMD.DialogTitle"},
    // The list's column captions: the song, its singer.
    {"PlayList", "ColSong"},
    {"PlayList", "ColSinger"},

    // Channel settings panel: caption and row labels.
    {"Reglage", "Caption"},
    {"Reglage", "Volume"},
    {"Reglage", "Pan"},
    {"Reglage", "Reverb"},
    {"Reglage", "Chorus"},
    {"Reglage", "Program"},
    {"Reglage", "Bank"},
    {"Reglage", "Drum"},

    // Options dialog.
    {"Options", "Caption"},
    {"Options", "Onglet(0)"},
    {"Options", "Onglet(1)"},
    {"Options", "Onglet(2)"},
    {"Options", "SfInfo"},
    {"Options", "Replace"},
    {"Options", "Langue"},
    {"Options", "chkAutoMute"},
    {"Options", "Close"},
    {"Options", "SfVersion"}, // %1 = major.minor
    {"Options", "SfName"},    // %1 = the SoundFont's name
    {"Options", "SfFile"},    // %1 = its path
    {"Options", "SfSize"},    // %1 = its size in bytes
    {"Options", "SfPresets"}, // %1 = its number of presets
    {"Options", "Onglet(3)"},
    {"Options", "chkScore"},
    {"Options", "Micro"},
    {"Options", "MicroDefault"},
    {"Options", "Tolerance"},
    {"Options", "Offset"},
    // The party page: the full-screen lyrics and their look.
    {"Options", "Onglet(4)"},
    {"Options", "LyricsScreen"},
    {"Options", "ScreenAuto"},
    {"Options", "chkFullScreen"},
    {"Options", "LyricsFont"},
    {"Options", "ColourSung"},
    {"Options", "ColourFlash"},
    {"Options", "ColourUnsung"},
    {"Options", "ColourBackground"},
    {"Options", "LookDefault"},

    // Scoring the singer: the pitch lane under the lyrics and its messages.
    {"Score", "Song"},      // %1 = score
    {"Score", "Best"},      // %1 = best score
    {"Score", "Line"},      // %1 = score
    {"Score", "Listening"}, // %1 = latency in ms
    {"Score", "NoMelody"},
    {"Score", "NoLyrics"},
    {"Score", "NoDevice"}, // %1 = the device
    {"Score", "Default"},

    // Effects panel: caption, frames, names of the eleven parameters.
    {"Reverb", "Caption"},
    {"Reverb", "FrameReverb"},
    {"Reverb", "FrameChorus"},
    {"Reverb", "Ctrl(96)"},
    {"Reverb", "Ctrl(97)"},
    {"Reverb", "Ctrl(98)"},
    {"Reverb", "Ctrl(99)"},
    {"Reverb", "Ctrl(100)"},
    {"Reverb", "Ctrl(101)"},
    {"Reverb", "Ctrl(102)"},
    {"Reverb", "Ctrl(103)"},
    {"Reverb", "Ctrl(104)"},
    {"Reverb", "Ctrl(105)"},
    {"Reverb", "Ctrl(106)"},

    // Lyrics window.
    {"Paroles", "Caption"},
    // The party screen's cards.
    {"Paroles", "Next"},     // %1 = the next singer, %2 = the song's title
    {"Paroles", "NextSong"}, // %1 = the next song's title (no singer named)
    {"Paroles", "SungBy"},   // %1 = the singer
};

} // namespace

std::span<const LanguageKey> allLanguageKeys()
{
    return kKeys;
}

} // namespace melorit
