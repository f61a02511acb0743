#include "engine/Transport.h"

#include "base/Language.h"
#include "base/TextUtil.h"
#include "engine/TimeText.h"

#include <algorithm>
#include <cmath>

namespace melorit::engine {

int nextRepeatMode(int mode)
{
    switch (mode) {
    case kRepeatNone:
        return kRepeatSong;
    case kRepeatSong:
        return kRepeatList;
    case kRepeatList:
        return kRepeatNone;
    default:
        return mode;
    }
}

TransportStep nextStep(int current, int count, int repeatMode, bool listenMode)
{
    const int index = current + 1;
    if (index <= count) {
        return {index, true};
    }
    if (repeatMode == kRepeatList && listenMode) {
        return {1, true};
    }
    return {index, false};
}

TransportStep prevStep(int current, int count)
{
    const int index = current - 1;
    return {index < 1 ? count : index, true};
}

TransportStep playSelectedStep(int index, int count, int repeatMode)
{
    if (index <= count) {
        return {index, true};
    }
    if (repeatMode == kRepeatList) {
        return {1, true};
    }
    return {index, false};
}

SongEndAction songEndAction(int repeatMode, bool listenMode)
{
    if (!listenMode) {
        return SongEndAction::None;
    }
    return repeatMode == kRepeatSong ? SongEndAction::PlayAgain : SongEndAction::PlayNext;
}

int startIndex(int current, int count)
{
    return current < 1 || current > count ? 1 : current;
}

bool ClockCounter::tick()
{
    m_count = (m_count + 1) % 4;
    return m_count == 0;
}

std::optional<int> sliderValue(std::int64_t tickPosition, std::int64_t songTicks, int sliderMax)
{
    if (songTicks <= 0) {
        return std::nullopt;
    }
    if (tickPosition < 0) {
        return 0;
    }
    const double value =
        (1.0 / static_cast<double>(songTicks)) * static_cast<double>(tickPosition) * sliderMax;
    return std::clamp(text::toInt(value), 0, std::max(sliderMax, 0));
}

std::optional<std::int64_t> seekTick(int value, int sliderMax, std::int64_t songTicks)
{
    if (sliderMax == 0) {
        return std::nullopt;
    }
    const double tick = value * (1.0 / sliderMax) * static_cast<double>(songTicks);
    return static_cast<std::int64_t>(text::roundHalfEven(tick));
}

QString ShowTime(double positionSeconds, double heardLength)
{
    const int position =
        positionSeconds < 0 ? -1 : text::toInt(std::min(positionSeconds, heardLength));
    return LongToTime(position) + QStringLiteral(" / ") + LongToTime(text::toInt(heardLength));
}

QString soundFontStatusText(const QString &languageFile, const std::optional<FontStatus> &font)
{
    const QString section = QStringLiteral("Main");
    if (!font) {
        return languageText(languageFile, section, QStringLiteral("SF2NoneInfo"));
    }
    // Line breaks first: a "|" in the font's own name is part of the name.
    const QString templ =
        text::barsToLineBreaks(languageText(languageFile, section, QStringLiteral("SF2LoadInfo")));
    return text::fillPlaceholders(templ, font->name, QString::number(font->loadedBytes),
                                  QString::number(font->totalBytes));
}

} // namespace melorit::engine
