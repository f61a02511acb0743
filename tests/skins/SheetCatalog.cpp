#include "SheetCatalog.h"

#include "skins/ButtonFrames.h"
#include "skins/KnobFrames.h"
#include "skins/LedText.h"
#include "skins/MeterFrames.h"

using namespace melorit::skins;

namespace {

void add(std::vector<CatalogFrame> &out, const QString &what, const Frame &frame)
{
    out.push_back({what, frame});
}

void addKnobs(std::vector<CatalogFrame> &out)
{
    for (int v = 0; v <= 200; ++v) {
        add(out, QStringLiteral("fader %1").arg(v), faderFrame(v, 0, 200));
    }
    for (int v = -12; v <= 12; ++v) {
        add(out, QStringLiteral("transpose %1").arg(v), transposeKnobFrame(v));
    }
    for (int v = 0; v <= 128; ++v) {
        for (const bool mark : {false, true}) {
            const QString m = mark ? QStringLiteral(" marked") : QString();
            for (int kind = 0; kind <= 5; ++kind) {
                add(out, QStringLiteral("channel kind %1 value %2%3").arg(kind).arg(v).arg(m),
                    channelKnobFrame(kind, v, mark));
            }
            add(out, QStringLiteral("effect %1%2").arg(v).arg(m), effectKnobFrame(v, 128, mark));
        }
    }
}

void addButtons(std::vector<CatalogFrame> &out)
{
    for (int index = 0; index <= 50; ++index) {
        for (int state = 0; state <= 3; ++state) {
            add(out, QStringLiteral("main button %1 state %2").arg(index).arg(state),
                *mainButtonFrame(index, state));
        }
    }
    for (int index = 48; index <= 54; ++index) {
        for (int state = 0; state <= 3; ++state) {
            add(out, QStringLiteral("playlist button %1 state %2").arg(index).arg(state),
                *playlistButtonFrame(index, state));
        }
    }
}

void addIndicators(std::vector<CatalogFrame> &out)
{
    for (int level = 0; level <= 127; ++level) {
        add(out, QStringLiteral("lyrics lamp %1").arg(level), activityLampFrame(level, true));
        add(out, QStringLiteral("lamp %1").arg(level), activityLampFrame(level, false));
    }
    for (int segments = 0; segments < kMeterFrames; ++segments) {
        add(out, QStringLiteral("meter %1").arg(segments), meterFrame(segments));
    }
    add(out, QStringLiteral("clip dark"), clipLampFrame(false));
    add(out, QStringLiteral("clip lit"), clipLampFrame(true));
    for (char32_t code = 33; code < 128; ++code) {
        add(out, QStringLiteral("LED %1").arg(code), ledGlyphFrame(code, true));
        add(out, QStringLiteral("LED %1 normal").arg(code), ledGlyphFrame(code, false));
    }
}

} // namespace

std::vector<CatalogFrame> everyPlacedFrame()
{
    std::vector<CatalogFrame> out;
    addKnobs(out);
    addButtons(out);
    addIndicators(out);
    return out;
}
