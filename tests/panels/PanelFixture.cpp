#include "PanelFixture.h"

#include "base/Ini.h"
#include "engine/SongSettings.h"
#include "panels/KnobPicture.h"

#include "tests/support/MidiFileBuilder.h"
#include "tests/support/SoundFontBuilder.h"

#include "tests/support/WidgetTestEnvironment.h"

#include <QApplication>
#include <QFile>
#include <QMouseEvent>

#include <cmath>
#include <filesystem>
#include <ostream>
#include <stdexcept>

namespace melorit::panels::test {

namespace {

[[maybe_unused]] const auto *const environment =
    melorit::testing::addWidgetTestEnvironment("panels_tests");

constexpr int kTicksPerQuarter = 480;
constexpr std::uint32_t kTempo = 500000; // 120 per minute: 960 ticks a second
constexpr int kSongSeconds = 10;

fixtures::MidiFileBuilder buildSong()
{
    fixtures::MidiFileBuilder file(1, kTicksPerQuarter);
    file.addTrack().tempo(kTempo).timeSignature(4, 4);
    fixtures::MidiTrackBuilder &t = file.addTrack();
    const std::uint32_t change = static_cast<std::uint32_t>(kSongChangeSeconds * 960);
    t.at(0).programChange(0, 5).controller(0, 7, 90);
    t.programChange(3, 0).controller(3, 10, 30);
    // A new note every half second: a program change is heard from the next.
    for (int n = 0; n < 2 * kSongSeconds; ++n) {
        t.note(0, 69, 100, static_cast<std::uint32_t>(n * 480), 470);
    }
    t.at(change).controller(0, 7, 70).controller(3, 10, 100);
    return file;
}

} // namespace

std::string fixtureFontPath()
{
    static const std::string path = [] {
        fixtures::SoundFontBuilder font;
        font.addPreset("Low Sine", 0, 0, 81)
            .addPreset("Mid Sine", 0, 5, 69)
            .addPreset("High Sine", 0, 10, 57)
            .addPreset("Last Sine", 0, 127, 69)
            .addPreset("Fourth Sine", 1, 5, 74)
            .addPreset("Bank Three", 3, 0, 69)
            .addPreset("Bank Three Ten", 3, 10, 69)
            .addPreset("Standard Kit", 128, 0, 69)
            .addPreset("Room Kit", 128, 8, 69)
            .addPreset("Power Kit", 128, 16, 69);
        const auto file =
            std::filesystem::temp_directory_path() /
            ("melorit-panels-" + std::to_string(QCoreApplication::applicationPid()) + ".sf2");
        if (!font.writeTo(file)) {
            throw std::runtime_error("cannot write the fixture font");
        }
        return file.string();
    }();
    return path;
}

QString englishLanguageFile()
{
    return QStringLiteral(MELORIT_SOURCE_DIR "/resources/lang/en.lng");
}

void PrintTo(const SentEvent &e, std::ostream *os)
{
    *os << "{ch " << e.channel << ", event " << static_cast<std::uint32_t>(e.event) << ", "
        << e.param << "}";
}

void RecordingStreamTarget::sendEvent(int channel, engine::MidiEvent event, std::uint32_t param)
{
    sent.push_back({channel, event, param});
    m_inner.sendEvent(channel, event, param);
}

void PanelsTest::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    m_songPath = m_dir.filePath(QStringLiteral("chanson \u00e9t\u00e9.mid"));
    m_settingsFile = engine::mst::SongSettingsFile(m_songPath);
    m_configFile = m_dir.filePath(QStringLiteral("Melorit.ini"));
    ASSERT_TRUE(buildSong().writeTo(std::filesystem::path(m_songPath.toStdString())));

    m_font = audio::SoundFont::load(fixtureFontPath());
    ASSERT_NE(m_font, nullptr);
    m_presets = PresetNames::fromLookup(
        [this](int bank, int program) { return m_font->presetName(bank, program); });
    m_skins = skins::LoadSkins();
    ASSERT_TRUE(m_skins.isComplete());

    m_mixer.setTarget(&m_target);
    m_mixer.setView(&m_view);
    m_mixer.setLanguageFile(englishLanguageFile());
    m_mixer.setSongSettingsFile(m_settingsFile);

    PanelHost host;
    host.mixer = &m_mixer;
    host.presets = m_presets.catalog();
    host.skins = &m_skins;
    host.configFile = m_configFile;
    host.languageFile = [] { return englishLanguageFile(); };
    host.panelHidden = [this] { ++m_hiddenCalls; };
    m_reglage = std::make_unique<Reglage>(host);
    m_reverb = std::make_unique<Reverb>(host);
    m_view.setChannelPanel(m_reglage.get());
    m_view.setEffectsPanel(m_reverb.get());
    openSong();
}

void PanelsTest::TearDown()
{
    m_view.setChannelPanel(nullptr);
    m_view.setEffectsPanel(nullptr);
    m_streamTarget.setStream(nullptr);
    m_reglage->Unload();
    m_reverb->Unload();
}

void PanelsTest::openSong()
{
    m_streamTarget.setStream(nullptr);
    audio::MidiStream::Options options;
    options.font = m_font;
    m_stream = audio::MidiStream::openFile(m_songPath.toStdString(), options);
    ASSERT_NE(m_stream, nullptr);
    m_streamTarget.setStream(m_stream.get());
    m_mixer.startSongMix();
    engine::installMixWatchers(*m_stream, m_mixer);
    m_mixer.startSongTempo();
    m_mixer.loadSongTempo();
    m_mixer.RefreshControllers();
    m_target.sent.clear();
}

std::vector<std::int16_t> PanelsTest::play(double seconds)
{
    const auto frames = static_cast<std::size_t>(seconds * 44100);
    std::vector<std::int16_t> samples(frames * 2);
    const std::int64_t bytes = m_stream->read(samples.data(), samples.size() * 2);
    samples.resize(bytes > 0 ? static_cast<std::size_t>(bytes) / 2 : 0);
    m_mixer.flushPendingRedraws();
    return samples;
}

double PanelsTest::heardFrequency()
{
    constexpr double noteSeconds = 0.5;
    const double now = audio::MidiStream::bytesToSeconds(m_stream->position(audio::PosUnit::Bytes));
    const double nextNote = std::ceil(now / noteSeconds + 1e-9) * noteSeconds;
    play(nextNote - now + 0.05);
    return toneFrequency(play(0.35));
}

namespace {

void sendMouse(QWidget *widget, QEvent::Type type, QPointF at, Qt::MouseButton button,
               Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    ASSERT_NE(widget, nullptr);
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, buttons, modifiers);
    QApplication::sendEvent(widget, &event);
}

} // namespace

namespace {

QWidget *knobWidget(const Reglage &reglage, const Reverb &reverb, int index)
{
    return index >= kFirstEffectControl ? static_cast<QWidget *>(reverb.knob(index))
                                        : static_cast<QWidget *>(reglage.knob(index));
}

} // namespace

void PanelsTest::press(int index, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                       QPointF at)
{
    sendMouse(knobWidget(*m_reglage, *m_reverb, index), QEvent::MouseButtonPress, at, button,
              button, modifiers);
}

void PanelsTest::moveTo(int index, QPointF at, Qt::KeyboardModifiers modifiers,
                        Qt::MouseButtons buttons)
{
    sendMouse(knobWidget(*m_reglage, *m_reverb, index), QEvent::MouseMove, at, Qt::NoButton,
              buttons, modifiers);
}

void PanelsTest::release(int index, Qt::MouseButton button, QPointF at)
{
    sendMouse(knobWidget(*m_reglage, *m_reverb, index), QEvent::MouseButtonRelease, at, button,
              Qt::NoButton, Qt::NoModifier);
}

void PanelsTest::click(int index, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    press(index, button, modifiers);
    release(index, button);
}

void PanelsTest::drag(int index, int dx, int dy, Qt::KeyboardModifiers modifiers)
{
    const QPointF start(10, 6);
    press(index, Qt::LeftButton, modifiers, start);
    moveTo(index, start + QPointF(dx, dy), modifiers);
    release(index, Qt::LeftButton, start + QPointF(dx, dy));
}

int PanelsTest::streamValue(int channel, engine::MidiEvent event) const
{
    return m_stream->eventValue(channel, event);
}

QString PanelsTest::storedCC(int index) const
{
    return ReadIni(QStringLiteral("CC"), QStringLiteral("CC%1").arg(index), m_settingsFile);
}

QString PanelsTest::settingsText() const
{
    QFile file(m_settingsFile);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

skins::Frame PanelsTest::frameOf(int index) const
{
    const KnobPicture *picture =
        index >= kFirstEffectControl ? m_reverb->knob(index) : m_reglage->knob(index);
    return picture != nullptr ? picture->frame() : skins::Frame{};
}

double toneFrequency(const std::vector<std::int16_t> &samples)
{
    std::size_t first = 0;
    std::size_t last = 0;
    int crossings = 0;
    for (std::size_t frame = 1; 2 * frame < samples.size(); ++frame) {
        if (samples[2 * (frame - 1)] < 0 && samples[2 * frame] >= 0) {
            if (crossings == 0) {
                first = frame;
            }
            last = frame;
            ++crossings;
        }
    }
    if (crossings < 2) {
        return 0.0;
    }
    return 44100.0 * (crossings - 1) / static_cast<double>(last - first);
}

} // namespace melorit::panels::test
