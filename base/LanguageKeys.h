#pragma once

#include <span>

namespace melorit {

struct LanguageKey {
    const char *section;
    const char *key;
};

// Every key that the program reads from a language file. Each window's
// texts are listed here as well as read in its LoadLanguage, so a test can
// check that every shipped language file holds all of them.
std::span<const LanguageKey> allLanguageKeys();

} // namespace melorit
