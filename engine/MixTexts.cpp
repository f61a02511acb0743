#include "engine/MixTexts.h"

#include "base/Language.h"
#include "base/TextUtil.h"
#include "engine/MixLimits.h"

#include <cmath>
#include <numbers>

namespace melorit::engine {
namespace {

const QString kMainSection = QStringLiteral("Main");

QString signedValue(int value)
{
    return text::formatNumber(value, u"+0;-0;=0");
}

QString knobTip(const QString &languageFile, const QString &key, int value)
{
    return text::fillPlaceholders(languageText(languageFile, kMainSection, key),
                                  signedValue(value));
}

constexpr double kMicrosecondsPerMinute = 60000000.0;
constexpr double kNoFigure = 999.0;

double beatsPerMinute(int tempoShift, int baseTempo)
{
    const int shown = kTempoReadoutRange.clamp(tempoShift);
    const auto f = static_cast<float>((1.0 - shown / 1000.0) * baseTempo);
    double bpm = f == 0.0F ? kNoFigure : kMicrosecondsPerMinute / static_cast<double>(f);
    if (bpm < 1.0) {
        bpm = 0.0;
    }
    if (bpm >= kNoFigure) {
        bpm = kNoFigure;
    }
    return bpm;
}

} // namespace

QString volumeTip(int volume)
{
    if (volume == 0) {
        return QStringLiteral("= 0");
    }
    const double factor = volume / 100.0;
    const QString number = QString::number(factor, 'g', 15);
    return factor >= 0 ? QStringLiteral("x ") + number : u'x' + number;
}

QString gainTip(const QString &languageFile, int gain)
{
    return knobTip(languageFile, QStringLiteral("Knob(Gain)"), gain);
}

QString transposeTip(const QString &languageFile, int semitones)
{
    return knobTip(languageFile, QStringLiteral("Knob(Transpose)"), semitones);
}

QString transposeCaption(int semitones)
{
    return (semitones > 0 ? QStringLiteral("+") : QString()) + QString::number(semitones);
}

double gainFactor(int gain)
{
    return std::exp(gain * std::numbers::ln10 / 20.0);
}

QString gainCaption(int gain)
{
    return text::formatNumber(gainFactor(gain) * 100.0, u"###0") + QStringLiteral(" %");
}

TempoReadout tempoReadout(int tempoShift, int baseTempo)
{
    const double bpm = beatsPerMinute(tempoShift, baseTempo);
    TempoReadout out;
    out.glyphRow = tempoShift == 0 ? 0 : 1;
    if (bpm <= 0.0 || bpm >= kNoFigure) {
        out.text = QString(kNoTempoText);
    } else {
        out.text = (QStringLiteral("  ") + text::formatNumber(bpm, u"##0")).right(3);
    }
    return out;
}

} // namespace melorit::engine
