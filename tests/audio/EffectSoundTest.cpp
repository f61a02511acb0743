// The effects panel's eleven parameters heard through FluidSynth: each one,
// from the low end of its knob to the high end, moves the rendered sound the
// way its name promises.
#include "tests/audio/AudioFixtures.h"

#include "audio/EffectParams.h"
#include "audio/SoundFont.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace melorit;
using namespace melorit::audio;
using namespace melorit::audio::testing;

namespace {

constexpr double kRate = 44100;
constexpr double kTone = 440; // key 69

// What is measured: on the reverb's tail after a short note, or on the
// chorus during a long one; each on the effect alone (the render less one
// without the effect's send).
enum class Measure { TailEnergy, TailBrightness, TailWidth, ChorusEnergy, ChorusSwing };

// One note of key 69 on channel 0 with the given sends; a reverb note lasts
// a quarter (0.25 s), a chorus note a whole (2 s). Silence follows.
fixtures::MidiFileBuilder noteSong(int program, int reverbSend, int chorusSend, int quarters)
{
    const auto length = static_cast<std::uint32_t>(quarters * 480);
    fixtures::MidiFileBuilder file(1, 480);
    file.addTrack().tempo(500000);
    file.addTrack()
        .programChange(0, program)
        .controller(0, 91, reverbSend)
        .controller(0, 93, chorusSend)
        .note(0, 69, 110, 0, length)
        .at(length + 1440)
        .controller(0, 7, 100);
    return file;
}

// The song rendered with one parameter set (after a reverb level of 0.6,
// which leaves room for the parameters that add to it).
Samples render(const fixtures::MidiFileBuilder &song, const std::shared_ptr<SoundFont> &font,
               MidiEvent event, int value)
{
    auto stream = openSong(song, false, font);
    stream->sendEvent(0, MidiEvent::ReverbLevel, 600);
    stream->sendEvent(0, event, static_cast<std::uint32_t>(value));
    return decodeAll(*stream);
}

struct Window {
    std::size_t first;
    std::size_t frames;
};

double energy(const Samples &s, Window w)
{
    double sum = 0;
    for (std::size_t f = w.first; f < w.first + w.frames; ++f) {
        sum += double(s[2 * f]) * s[2 * f] + double(s[2 * f + 1]) * s[2 * f + 1];
    }
    return sum;
}

// The share of high frequencies: energy of the first difference over energy.
double brightness(const Samples &s, Window w)
{
    double diff = 0;
    double sum = 0;
    for (std::size_t f = w.first + 1; f < w.first + w.frames; ++f) {
        const double d = double(s[2 * f]) - s[2 * f - 2];
        diff += d * d;
        sum += double(s[2 * f]) * s[2 * f];
    }
    return diff / sum;
}

// Side over mid energy: 0 for a mono sound.
double width(const Samples &s, Window w)
{
    double side = 0;
    double mid = 0;
    for (std::size_t f = w.first; f < w.first + w.frames; ++f) {
        const double l = s[2 * f];
        const double r = s[2 * f + 1];
        side += (l - r) * (l - r);
        mid += (l + r) * (l + r);
    }
    return side / mid;
}

// How far the wet tone strays from a steady 440 Hz sine: the share of its
// energy a sine of fixed phase cannot explain, in 50 ms pieces (left channel).
double swing(const Samples &wet, Window w)
{
    const auto piece = static_cast<std::size_t>(kRate / 20);
    double unexplained = 0;
    double total = 0;
    for (std::size_t first = w.first; first + piece <= w.first + w.frames; first += piece) {
        double ss = 0, cc = 0, sc = 0, xs = 0, xc = 0, xx = 0;
        for (std::size_t f = first; f < first + piece; ++f) {
            const double phase = 2 * std::numbers::pi * kTone * double(f) / kRate;
            const double s = std::sin(phase);
            const double c = std::cos(phase);
            const double x = wet[2 * f];
            ss += s * s, cc += c * c, sc += s * c, xs += x * s, xc += x * c, xx += x * x;
        }
        const double det = ss * cc - sc * sc;
        const double a = (xs * cc - xc * sc) / det;
        const double b = (xc * ss - xs * sc) / det;
        unexplained += xx - (a * xs + b * xc);
        total += xx;
    }
    return unexplained / total;
}

Samples minus(const Samples &a, const Samples &b)
{
    Samples out(std::min(a.size(), b.size()));
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = static_cast<std::int16_t>(a[i] - b[i]);
    }
    return out;
}

} // namespace

TEST(EffectSound, EachParameterMovesTheRenderedSoundTheWayItsNameSays)
{
    // A bright lead through the reverb; a pure tone through the chorus.
    const std::shared_ptr<SoundFont> lead = SoundFont::load(kGeneralMidiFont);
    ASSERT_NE(lead, nullptr) << kGeneralMidiFont;
    const auto reverbSong = noteSong(81, 127, 0, 1);
    const auto chorusSong = noteSong(0, 0, 127, 4);
    const Samples dryLead = render(noteSong(81, 0, 0, 1), lead, MidiEvent::ReverbLevel, 600);
    const Samples dry = render(noteSong(0, 0, 0, 4), sineFont(), MidiEvent::ReverbLevel, 600);
    // One second from 0.3 s: the reverb's tail (the note ends at 0.25 s) or
    // the middle of the chorus's note.
    const Window window{static_cast<std::size_t>(kRate * 0.3), static_cast<std::size_t>(kRate)};

    struct Case {
        MidiEvent event;
        Measure measure;
        bool rises;
    };
    const Case cases[] = {
        {MidiEvent::ReverbTime, Measure::TailEnergy, true},
        {MidiEvent::ReverbDelay, Measure::TailWidth, true},
        {MidiEvent::ReverbLowCutoff, Measure::TailEnergy, false},
        {MidiEvent::ReverbHighCutoff, Measure::TailBrightness, true},
        {MidiEvent::ReverbLevel, Measure::TailEnergy, true},
        {MidiEvent::ChorusDelay, Measure::ChorusSwing, true},
        {MidiEvent::ChorusDepth, Measure::ChorusSwing, true},
        {MidiEvent::ChorusRate, Measure::ChorusSwing, true},
        {MidiEvent::ChorusFeedback, Measure::ChorusEnergy, true},
        {MidiEvent::ChorusLevel, Measure::ChorusEnergy, true},
        {MidiEvent::ChorusReverb, Measure::TailEnergy, true},
    };
    const auto measure = [&](const Case &c, int value) {
        if (c.measure == Measure::ChorusEnergy || c.measure == Measure::ChorusSwing) {
            const Samples wet = minus(render(chorusSong, sineFont(), c.event, value), dry);
            return c.measure == Measure::ChorusSwing ? swing(wet, window)
                                                     : energy(wet, window) / energy(dry, window);
        }
        const Samples out = minus(render(reverbSong, lead, c.event, value), dryLead);
        switch (c.measure) {
        case Measure::TailBrightness:
            return brightness(out, window);
        case Measure::TailWidth:
            return width(out, window);
        default:
            return energy(out, window);
        }
    };
    for (const Case &c : cases) {
        const double low = measure(c, 0);
        const double high = measure(c, EffectParams::maximum(c.event));
        // A clear change, a quarter at least, not a rounding difference.
        EXPECT_GT(c.rises ? high : low, 1.25 * (c.rises ? low : high))
            << "event " << static_cast<int>(c.event) << ": " << low << " -> " << high;
        if (c.event == MidiEvent::ChorusFeedback) {
            EXPECT_GT(low, 0.5) << "without feedback the chorus still plays";
        }
    }
}
