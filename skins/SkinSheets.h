#pragma once

#include <QRect>

#include <array>

// The nine skin sheets: picture strips from which every button, knob, fader,
// meter, lamp and LED character of the windows is copied. Their sizes are
// fixed because the drawing rules address frames by pixel position.
namespace melorit::skins {

// In resource order 101 to 109.
enum class Sheet : int {
    RotaryKnobs = 0, // 101: channel-panel knobs, 128 positions x 2 kinds x 2 marks
    NumberStrips,    // 102: bank and program number cells
    Buttons,         // 103: solo/mute, command and playlist buttons, clip lamp, drum toggle
    ActivityLamps,   // 104: channel activity lamps
    EffectKnobs,     // 105: effects-panel knobs, 45 frames x 2 marks
    Faders,          // 106: mixer fader, 41 frames
    LevelMeter,      // 107: stereo level meter, 12 frames
    LedFont,         // 108: 96 LED characters in two rows
    TransposeKnob,   // 109: transposition knob, 25 frames
};

inline constexpr int kSheetCount = 9;

struct SheetInfo {
    int resourceId;
    int width;
    int height;
    int depth; // bits per pixel of the stored picture: 24 or 32
};

inline constexpr std::array<SheetInfo, kSheetCount> kSheets{{
    {101, 768, 384, 32},
    {102, 48, 1560, 24},
    {103, 312, 208, 24},
    {104, 192, 192, 24},
    {105, 96, 2160, 24},
    {106, 984, 128, 32},
    {107, 192, 80, 32},
    {108, 1344, 44, 24},
    {109, 103, 2575, 32},
}};

constexpr const SheetInfo &sheetInfo(Sheet sheet)
{
    return kSheets[static_cast<std::size_t>(sheet)];
}

constexpr Sheet sheetAt(int position)
{
    return static_cast<Sheet>(position);
}

inline QRect sheetRect(Sheet sheet)
{
    const SheetInfo &info = sheetInfo(sheet);
    return {0, 0, info.width, info.height};
}

// One picture to copy: a rectangle of a sheet, copied as it is to the
// target's top-left corner (or the point the caller gives).
struct Frame {
    Sheet sheet = Sheet::Buttons;
    QRect source;

    friend bool operator==(const Frame &a, const Frame &b)
    {
        return a.sheet == b.sheet && a.source == b.source;
    }
};

} // namespace melorit::skins
