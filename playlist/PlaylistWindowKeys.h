#pragma once

#include <QLatin1StringView>

// Settings and language keys of the playlist window, each key next to its
// default.
namespace melorit::playlist::keys {

// Configuration file: offset from the main window ("X", "Y" in twips,
// default 0; base/WindowOffset.h), and
// whether the window shows at start-up ("1"; hidden by default). The close
// box writes "0".
inline constexpr QLatin1StringView kSection{"PlayList"};
inline constexpr QLatin1StringView kShowKey{"Show"};
inline constexpr QLatin1StringView kHiddenValue{"0"};

// Configuration file: the folders last used for list files and for songs
// (with their trailing separator; "" = wherever the chooser opens).
inline constexpr QLatin1StringView kListFolderSection{"Lst"};
inline constexpr QLatin1StringView kSongFolderSection{"Mid"};
inline constexpr QLatin1StringView kFolderKey{"Path"};

// Language file, section "PlayList": caption, button tips "SM(48)" to
// "SM(54)", and the file dialogs.
inline constexpr QLatin1StringView kCaptionKey{"Caption"};
inline constexpr QLatin1StringView kButtonTipStem{"SM"};
inline constexpr QLatin1StringView kLoadFilterKey{"M3ULOADCMD.Filter"};
inline constexpr QLatin1StringView kLoadTitleKey{"M3ULOADCMD.DialogTitle"};
inline constexpr QLatin1StringView kSaveFilterKey{"M3USAVECMD.Filter"};
inline constexpr QLatin1StringView kSaveTitleKey{"M3USAVECMD.DialogTitle"};
inline constexpr QLatin1StringView kSongFilterKey{"MIDOPENCMD.Filter"};
inline constexpr QLatin1StringView kSongTitleKey{"MIDOPENCMD.DialogTitle"};
// The list's column captions.
inline constexpr QLatin1StringView kSongColumnKey{"ColSong"};
inline constexpr QLatin1StringView kSingerColumnKey{"ColSinger"};

// Language file, section "Main": the song extensions ("mid,kar").
inline constexpr QLatin1StringView kMainSection{"Main"};
inline constexpr QLatin1StringView kExtensionsKey{"Extmid"};

} // namespace melorit::playlist::keys
