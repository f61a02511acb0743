#pragma once

#include "base/UserMessages.h"

#include <QString>

// How failures of the audio library are shown to the user.
namespace melorit::engine {

// The symbolic name of an audio error code ("BASS_ERROR_FILEOPEN" for 2);
// "Erreur 45 ?" for a number that is not one of the library's codes.
QString AudioErrorName(int code);

// The audio error box: the context, a blank line, the code and its name,
// titled "Error" with the exclamation icon.
UserMessage bassErrorMessage(const QString &context, int code);

} // namespace melorit::engine
