#pragma once

#include <QString>

#include <vector>

namespace melorit::scoring {

// A recorded take as the pitch tracker reads it: mono, 44100 Hz, -1..1.
struct Take {
    std::vector<float> samples;
    int fileRate = 0;     // as recorded
    int fileChannels = 0; // as recorded
    bool converted() const { return fileRate != kRate || fileChannels != 1; }
    double seconds() const { return static_cast<double>(samples.size()) / kRate; }

    static constexpr int kRate = 44100;
};

struct TakeResult {
    bool ok = false;
    Take take;
    QString error; // why the file cannot be read
};

// Reads a WAV file: integer PCM of 8 to 32 bits or 32/64-bit floats (also
// in the extensible format), any channel count and sample rate. Channels are
// mixed down to one and other rates resampled to 44100 Hz, so a take
// recorded with any equipment can be scored. A data chunk cut short is read
// as far as it goes.
TakeResult readTake(const QString &path);

} // namespace melorit::scoring
