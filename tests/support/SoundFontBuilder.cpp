#include "tests/support/SoundFontBuilder.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace melorit::fixtures {

namespace {

// Generator numbers of the SoundFont 2.01 format.
constexpr std::uint16_t kGenInstrument = 41;
constexpr std::uint16_t kGenSampleId = 53;
constexpr std::uint16_t kGenSampleModes = 54;
constexpr std::uint16_t kGenOverridingRootKey = 58;

constexpr int kGuardFrames = 46; // zero frames the format asks for after each sample
constexpr int kNameSize = 20;
constexpr int kModulatorSize = 10;
constexpr int kSampleHeaderSize = 46;
// The sample is 441 Hz played at its original pitch (69, 440 Hz): 3.9 cents sharp.
constexpr int kSampleOriginalPitch = 69;
constexpr int kSamplePitchCorrection = -4;

void appendChunk(Bytes &out, std::string_view id, const Bytes &data)
{
    out.insert(out.end(), id.begin(), id.end());
    appendLittleEndian(out, static_cast<std::uint32_t>(data.size()), 4);
    out.insert(out.end(), data.begin(), data.end());
    if (data.size() % 2 != 0) {
        out.push_back(0);
    }
}

Bytes listChunk(std::string_view type, const Bytes &contents)
{
    Bytes body = bytesOf(type);
    body.insert(body.end(), contents.begin(), contents.end());
    Bytes out;
    appendChunk(out, "LIST", body);
    return out;
}

void appendWord(Bytes &out, int value)
{
    appendLittleEndian(out, static_cast<std::uint32_t>(value), 2);
}

void appendGenerator(Bytes &out, std::uint16_t oper, int amount)
{
    appendWord(out, oper);
    appendWord(out, amount);
}

// One bag record per zone: the index of its first generator and of its first
// modulator, then the closing record.
Bytes bags(std::size_t zones, int generatorsPerZone)
{
    Bytes out;
    for (std::size_t i = 0; i <= zones; ++i) {
        appendWord(out, static_cast<int>(i) * generatorsPerZone);
        appendWord(out, 0);
    }
    return out;
}

Bytes emptyModulators()
{
    return Bytes(kModulatorSize, 0);
}

void checkId(std::string_view id)
{
    if (id.size() != 4) {
        throw std::invalid_argument("a chunk id has four characters");
    }
}

} // namespace

SoundFontBuilder::SoundFontBuilder()
{
    setVersion(2, 1);
    setInfoText("isng", "EMU8000");
    setInfoText("INAM", "Melorit Sine");
}

SoundFontBuilder &SoundFontBuilder::addPreset(std::string_view name, int bank, int program,
                                              int rootKey)
{
    if (bank < 0 || bank > 128 || program < 0 || program > 127 || rootKey < 0 || rootKey > 127) {
        throw std::invalid_argument("preset bank, program or root key out of range");
    }
    m_presets.push_back(Preset{std::string(name), bank, program, rootKey});
    return *this;
}

SoundFontBuilder &SoundFontBuilder::setVersion(int major, int minor)
{
    return setInfoVersion("ifil", major, minor);
}

SoundFontBuilder &SoundFontBuilder::setInfoText(std::string_view id, std::string_view text)
{
    Bytes data = bytesOf(text);
    data.push_back(0);
    if (data.size() % 2 != 0) {
        data.push_back(0);
    }
    return setInfoRaw(id, data);
}

SoundFontBuilder &SoundFontBuilder::setInfoRaw(std::string_view id, const Bytes &data)
{
    checkId(id);
    for (auto &[existing, bytes] : m_info) {
        if (existing == id) {
            bytes = data;
            return *this;
        }
    }
    m_info.emplace_back(std::string(id), data);
    return *this;
}

SoundFontBuilder &SoundFontBuilder::setInfoVersion(std::string_view id, int major, int minor)
{
    Bytes data;
    appendWord(data, major);
    appendWord(data, minor);
    return setInfoRaw(id, data);
}

SoundFontBuilder &SoundFontBuilder::removeInfo(std::string_view id)
{
    std::erase_if(m_info, [id](const auto &entry) { return entry.first == id; });
    return *this;
}

Bytes SoundFontBuilder::build() const
{
    Bytes body = bytesOf("sfbk");
    for (const Bytes &list : {infoList(), sampleDataList(), presetDataList()}) {
        body.insert(body.end(), list.begin(), list.end());
    }
    Bytes out;
    appendChunk(out, "RIFF", body);
    return out;
}

bool SoundFontBuilder::writeTo(const std::filesystem::path &path) const
{
    return writeFile(path, build());
}

Bytes SoundFontBuilder::infoList() const
{
    Bytes contents;
    for (const auto &[id, data] : m_info) {
        appendChunk(contents, id, data);
    }
    return listChunk("INFO", contents);
}

Bytes SoundFontBuilder::sampleDataList() const
{
    Bytes samples;
    for (int i = 0; i < kSineFrames; ++i) {
        const double phase = 2.0 * std::numbers::pi * i / kSinePeriod;
        const auto value = static_cast<std::int16_t>(std::lround(kAmplitude * std::sin(phase)));
        appendLittleEndian(samples, static_cast<std::uint16_t>(value), 2);
    }
    samples.insert(samples.end(), 2 * kGuardFrames, 0);
    Bytes contents;
    appendChunk(contents, "smpl", samples);
    return listChunk("sdta", contents);
}

Bytes SoundFontBuilder::presetDataList() const
{
    // Each preset has one zone with one generator (its instrument); each instrument
    // one zone with three (root key, loop mode, sample).
    Bytes contents;
    appendChunk(contents, "phdr", presetHeaders());
    appendChunk(contents, "pbag", bags(m_presets.size(), 1));
    appendChunk(contents, "pmod", emptyModulators());
    appendChunk(contents, "pgen", presetGenerators());
    appendChunk(contents, "inst", instrumentHeaders());
    appendChunk(contents, "ibag", bags(m_presets.size(), 3));
    appendChunk(contents, "imod", emptyModulators());
    appendChunk(contents, "igen", instrumentGenerators());
    appendChunk(contents, "shdr", sampleHeaders());
    return listChunk("pdta", contents);
}

Bytes SoundFontBuilder::presetHeaders() const
{
    Bytes out;
    const auto header = [&out](std::string_view name, int program, int bank, std::size_t bag) {
        appendFixedText(out, name, kNameSize);
        appendWord(out, program);
        appendWord(out, bank);
        appendWord(out, static_cast<int>(bag));
        appendLittleEndian(out, 0, 4); // library
        appendLittleEndian(out, 0, 4); // genre
        appendLittleEndian(out, 0, 4); // morphology
    };
    for (std::size_t i = 0; i < m_presets.size(); ++i) {
        header(m_presets[i].name, m_presets[i].program, m_presets[i].bank, i);
    }
    header("EOP", 0, 0, m_presets.size());
    return out;
}

Bytes SoundFontBuilder::instrumentHeaders() const
{
    Bytes out;
    for (std::size_t i = 0; i <= m_presets.size(); ++i) {
        appendFixedText(out, i < m_presets.size() ? m_presets[i].name : "EOI", kNameSize);
        appendWord(out, static_cast<int>(i));
    }
    return out;
}

Bytes SoundFontBuilder::presetGenerators() const
{
    Bytes out;
    for (std::size_t i = 0; i < m_presets.size(); ++i) {
        appendGenerator(out, kGenInstrument, static_cast<int>(i));
    }
    appendGenerator(out, 0, 0);
    return out;
}

Bytes SoundFontBuilder::instrumentGenerators() const
{
    Bytes out;
    for (const Preset &preset : m_presets) {
        appendGenerator(out, kGenOverridingRootKey, preset.rootKey);
        appendGenerator(out, kGenSampleModes, 1); // loop continuously
        appendGenerator(out, kGenSampleId, 0);    // the sample comes last in a zone
    }
    appendGenerator(out, 0, 0);
    return out;
}

Bytes SoundFontBuilder::sampleHeaders() const
{
    Bytes out;
    appendFixedText(out, "Sine", kNameSize);
    for (int value : {0, kSineFrames, kLoopStart, kLoopEnd, kSampleRate}) {
        appendLittleEndian(out, static_cast<std::uint32_t>(value), 4);
    }
    out.push_back(kSampleOriginalPitch);
    out.push_back(static_cast<std::uint8_t>(static_cast<std::int8_t>(kSamplePitchCorrection)));
    appendWord(out, 0); // sample link
    appendWord(out, 1); // mono sample
    appendFixedText(out, "EOS", kNameSize);
    out.insert(out.end(), kSampleHeaderSize - kNameSize, 0);
    return out;
}

} // namespace melorit::fixtures
