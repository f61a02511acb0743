// The watchers run on the audio thread: they must not allocate. Every
// allocation of this test program is counted.
#include "engine/MixTarget.h"
#include "engine/Mixer.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long> g_allocations{0};

} // namespace

void *operator new(std::size_t size)
{
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void *p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}

void operator delete(void *p) noexcept
{
    std::free(p);
}

void operator delete(void *p, std::size_t) noexcept
{
    std::free(p);
}

using namespace melorit::engine;

namespace {

// A stream stand-in with fixed storage.
class FixedTarget final : public MixTarget {
public:
    bool hasStream() const override { return true; }
    void sendEvent(int, MidiEvent, std::uint32_t) override { ++count; }
    std::int32_t eventValue(int, MidiEvent event) const override
    {
        return event == MIDI_EVENT_TEMPO ? 500000 : 64;
    }
    void setFontVolume(float) override {}
    int count = 0;
};

} // namespace

TEST(Watchers, DoNotAllocate)
{
    FixedTarget target;
    Mixer mixer;
    mixer.setTarget(&target);
    for (int index = 0; index < kCtrlCount; index += 2) {
        mixer.controllers().setOverride(index, 10);
    }

    const long before = g_allocations.load();
    for (int user = 1; user <= 18; ++user) {
        for (int ch = 0; ch < kChannelCount; ++ch) {
            mixer.onControllerEvent(user, static_cast<std::uint32_t>(ch) << 16 | 100U);
        }
    }
    mixer.onTempoEvent();
    EXPECT_EQ(g_allocations.load() - before, 0);
    EXPECT_GT(target.count, 0);
}
