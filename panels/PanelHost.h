#pragma once

#include "base/WindowOffset.h"
#include "panels/PresetCatalog.h"

#include <QPoint>
#include <QString>

#include <functional>

namespace melorit::engine {
class Mixer;
} // namespace melorit::engine

namespace melorit::skins {
class SkinSet;
} // namespace melorit::skins

namespace melorit::panels {

// What a panel reads from and tells the program around it; the player gives
// each panel its own. Members may be left empty; the panel then does
// without. UI thread.
struct PanelHost : MainWindowLink {
    // The mix of the current song: the controller table the panel edits,
    // the stream it sends to, the song's settings file it stores in.
    engine::Mixer *mixer = nullptr;
    // The loaded SoundFont's `PresetName` and `MaxBank` (the channel
    // panel's tips and stepping). When another font is loaded the panel is
    // told to redraw (Reglage::redrawAll).
    PresetCatalog presets;
    // The skin sheets the knobs are copied from.
    const skins::SkinSet *skins = nullptr;
    // The configuration file ("" is "Melorit.ini") and the language file.
    QString configFile;
    std::function<QString()> languageFile;
    // The program is shutting down: closing really closes.
    std::function<bool()> shuttingDown;
    // The user closed the panel, which is hidden now: the main window draws
    // its toggle button for the panel (40 or 41) released.
    std::function<void()> panelHidden;
};

} // namespace melorit::panels
