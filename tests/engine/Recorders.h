#pragma once

#include "engine/MixTarget.h"
#include "engine/MixView.h"

#include <QString>
#include <QTemporaryDir>

#include <map>
#include <ostream>
#include <utility>
#include <vector>

namespace melorit::engine::test {

struct SentEvent {
    int channel;
    MidiEvent event;
    std::uint32_t param;
    bool operator==(const SentEvent &) const = default;
};

inline void PrintTo(const SentEvent &e, std::ostream *os)
{
    *os << "{ch " << e.channel << ", event " << static_cast<std::uint32_t>(e.event) << ", "
        << e.param << "}";
}

// A stream stand-in: records what is sent and answers reads from a table,
// remembering sent values as the stream's current values do.
class RecordingTarget final : public MixTarget {
public:
    bool hasStream() const override { return stream; }
    void sendEvent(int channel, MidiEvent event, std::uint32_t param) override
    {
        sent.push_back({channel, event, param});
        values[{channel, event}] = static_cast<int>(param);
    }
    std::int32_t eventValue(int channel, MidiEvent event) const override
    {
        const auto it = values.find({channel, event});
        return it == values.end() ? -1 : it->second;
    }
    void setFontVolume(float volume) override { fontVolumes.push_back(volume); }

    // The events of one type, in order.
    std::vector<SentEvent> sentOf(MidiEvent event) const
    {
        std::vector<SentEvent> out;
        for (const SentEvent &e : sent) {
            if (e.event == event) {
                out.push_back(e);
            }
        }
        return out;
    }

    bool stream = true;
    std::vector<SentEvent> sent;
    std::map<std::pair<int, MidiEvent>, int> values;
    std::vector<float> fontVolumes;
};

// Records the last announcement of each kind.
class RecordingView final : public MixView {
public:
    void soloMuteButtonChanged(int button, int state) override { buttons[button] = state; }
    void mixerControlChanged(int control, int value, const QString &tip) override
    {
        controls[control] = {value, tip};
    }
    void tempoReadoutChanged(const QString &text, int glyphRow) override
    {
        tempoText = text;
        tempoRow = glyphRow;
        ++tempoDraws;
    }
    void gainCaptionChanged(const QString &caption) override { gainCaption = caption; }
    void controllerKnobChanged(int index, int value) override
    {
        knobs[index] = value;
        ++knobDraws;
    }
    void controllerMarkChanged(int index, bool overridden) override { marks[index] = overridden; }
    void tempoRatioCommitted(double ratio) override { committedRatios.push_back(ratio); }

    std::map<int, int> buttons;
    std::map<int, std::pair<int, QString>> controls;
    QString tempoText;
    int tempoRow = -1;
    int tempoDraws = 0;
    QString gainCaption;
    std::map<int, int> knobs;
    int knobDraws = 0;
    std::map<int, bool> marks;
    std::vector<double> committedRatios;
};

inline QString englishLanguageFile()
{
    return QStringLiteral(MELORIT_SOURCE_DIR "/resources/lang/en.lng");
}

} // namespace melorit::engine::test
