#pragma once

// One look for everything the program shows: the skin's dark palette and the
// Fusion style, which follows a palette exactly, for every window, message
// box, dialog and tooltip, and Qt's own file dialogs (a desktop's native one
// would keep the desktop's colours). UI thread, once a QApplication exists.
namespace melorit::skins {

void applyDarkLook();

} // namespace melorit::skins
