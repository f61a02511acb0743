#include "app/core/LanguageKeys.h"

namespace melorit {
namespace {

constexpr LanguageKey kKeys[] = {
    {"MELORIT", "Lng"},
    {"Main", "Caption"},
};

} // namespace

std::span<const LanguageKey> allLanguageKeys()
{
    return kKeys;
}

} // namespace melorit
