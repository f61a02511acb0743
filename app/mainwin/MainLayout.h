#pragma once

#include <QRect>
#include <QString>

// Where every control of the main window sits, in logical pixels. The sizes
// of the pictures are those of their skin cells, so nothing is stretched;
// the rest is arranged in rows: title bar, display (clock, oscilloscope,
// meters, tempo) with the transposition knob, command buttons, position bar,
// the mixer strips and the status line.
namespace melorit::mainwin::layout {

inline constexpr int kWindowWidth = 610;
inline constexpr int kWindowHeight = 446;
inline constexpr int kMargin = 10;

inline constexpr int kChannels = 16;
inline constexpr int kStripPitch = 30;

// Gap between the position slider and a visible marker button.
inline constexpr int kMarkerGap = 4;

// Title bar, with the caption at its left.
QRect titleBar();
QRect captionRect();

// Command buttons 32-50 (32 x 32 for 32-37, 24 x 24 from 38 on); an empty
// rectangle for any other index.
QRect commandButton(int index);

// The position slider across the whole span from button 44 to button 45.
QRect positionSpan();

// Display panel and what it holds.
QRect displayPanel();
QRect timeLabel();
QRect scopeLeft();
QRect scopeRight();
QRect meterLeft();
QRect meterRight();
QRect meterLabelLeft();
QRect meterLabelRight();
QRect clipLamp();
QRect tempoLabel();
QRect tempoReadout();
QRect bpmLabel();
QRect transposeKnob();
QRect transposeLabel();

// Mixer panel: one strip per channel and the gain strip.
QRect mixerPanel();
QRect activityLamp(int channel);
// Faders: channel volumes 0-15, the gain fader 16.
QRect fader(int control);
QRect soloButton(int channel);
QRect muteButton(int channel);
QRect channelNumber(int channel);
QRect gainTitle();
QRect gainLabel();
// The scale labels beside the faders (top, middle, bottom) and the row
// labels of the solo and mute buttons.
QRect volumeLabel(int i);
QRect soloLabel();
QRect muteLabel();

// The status line under the mixer: short messages that stay a few seconds.
QRect statusLine();

// The rectangle of a solo (0-15), mute (16-31) or command (32-50) button.
QRect picSM(int index);

} // namespace melorit::mainwin::layout
