#pragma once

#include "tools/SoundFontInfo.h"

#include <QString>

#include <optional>

namespace melorit::tools {

// What the options dialog reads and changes in the program. The main window
// implements it over the player; the tests record the calls. UI thread.
class OptionsHost {
public:
    virtual ~OptionsHost() = default;

    // The language file in use (full path) and its code (LanguageCode).
    virtual QString languageFile() const = 0;
    virtual QString languageCode() const = 0;
    // Makes `file` the language file, its "MELORIT"/"Lng" the language code,
    // and has every window reload its texts (LanguageReloaders order), the
    // options dialog included. Windows not created yet are created hidden.
    virtual void reloadAllLanguages(const QString &file) = 0;

    virtual bool autoMute() const = 0;
    // Sets AutoMute, redraws the solo and mute buttons and applies the
    // channel levels again, so the playing song follows at once.
    virtual void setAutoMute(bool on) = 0;

    // Lets the user choose another SoundFont and loads it.
    virtual void ChangeSF2() = 0;
    // The SoundFont in use; nothing when none is loaded.
    virtual std::optional<LoadedFont> loadedFont() const = 0;

    // The singing settings changed (already stored): scoring turned off
    // stops at once.
    virtual void scoringChanged() {}
    // The party screen's settings changed (already stored): the lyrics
    // window takes the look, the screen and full screen at once.
    virtual void partyChanged() {}
};

} // namespace melorit::tools
