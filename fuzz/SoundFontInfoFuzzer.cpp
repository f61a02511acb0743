// The SoundFont identity of any bytes: no crash, no read outside the input,
// and a failure text for every outcome but success.

#include "tools/SoundFontInfo.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace melorit::tools;
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    const SoundFontInfo info = readSoundFontInfo(bytes);
    if (info.status == SoundFontInfoStatus::NotOpened) {
        __builtin_trap();
    }
    if (info.status == SoundFontInfoStatus::Read) {
        if (info.major > 0xFFFF || info.minor > 0xFFFF || info.engineName.contains(QChar(0))) {
            __builtin_trap();
        }
        soundFontIdentityText(QStringLiteral("fuzz.sf2"), info, QStringLiteral("%1"));
    } else if (soundFontFailureText(info.status).isEmpty()) {
        __builtin_trap();
    }
    return 0;
}
