#include "app/mainwin/MainLayout.h"

namespace melorit::mainwin::layout {

namespace {

constexpr int kTitleHeight = 30;
constexpr int kDisplayTop = 34;
constexpr int kDisplayHeight = 106;
constexpr int kTransportTop = 148;
constexpr int kPositionTop = 188;
constexpr int kMixerTop = 218;
constexpr int kMixerBottom = 420;
constexpr int kStatusHeight = 18;
constexpr int kStripLeft = 52;
constexpr int kFaderTop = 242;
constexpr int kFaderHeight = 128;
constexpr int kSoloTop = kFaderTop + kFaderHeight + 6;
constexpr int kMuteTop = kSoloTop + 16;
constexpr int kGainLeft = 560;
constexpr int kLabelWidth = 36;

int stripLeft(int channel)
{
    return kStripLeft + kStripPitch * channel;
}

} // namespace

QRect titleBar()
{
    return {0, 0, kWindowWidth, kTitleHeight};
}

QRect captionRect()
{
    return {kMargin, 0, commandButton(50).left() - 2 * kMargin, kTitleHeight};
}

QRect commandButton(int index)
{
    if (index >= 32 && index <= 37) {
        return {kMargin + 36 * (index - 32), kTransportTop, 32, 32};
    }
    switch (index) {
    case 44:
        return {kMargin, kPositionTop, 24, 24};
    case 45:
        return {kWindowWidth - kMargin - 24, kPositionTop, 24, 24};
    case 49:
        return {kWindowWidth - kMargin - 24, 3, 24, 24};
    case 50:
        return {kWindowWidth - kMargin - 52, 3, 24, 24};
    default:
        break;
    }
    // 38-43 and 46-48 in one row after the transport buttons.
    int slot = -1;
    if (index >= 38 && index <= 43) {
        slot = index - 38;
    } else if (index >= 46 && index <= 48) {
        slot = index - 40;
    }
    if (slot < 0) {
        return {};
    }
    return {236 + 28 * slot, kTransportTop + 4, 24, 24};
}

QRect positionSpan()
{
    const QRect first = commandButton(44);
    const QRect last = commandButton(45);
    return {first.left(), kPositionTop, last.right() + 1 - first.left(), 24};
}

QRect displayPanel()
{
    return {kMargin, kDisplayTop, 444, kDisplayHeight};
}

QRect timeLabel()
{
    return {20, 40, 242, 32};
}

QRect scopeLeft()
{
    return {20, 78, 118, 54};
}

QRect scopeRight()
{
    return {144, 78, 118, 54};
}

QRect meterLabelLeft()
{
    return {272, 37, 20, 14};
}

QRect meterLabelRight()
{
    return {292, 37, 20, 14};
}

QRect meterLeft()
{
    return {274, 52, 16, 80};
}

QRect meterRight()
{
    return {294, 52, 16, 80};
}

QRect clipLamp()
{
    return {320, 52, 24, 24};
}

QRect tempoLabel()
{
    return {352, 40, 96, 16};
}

QRect tempoReadout()
{
    return {352, 58, 50, 30};
}

QRect bpmLabel()
{
    return {406, 65, 44, 16};
}

// Under the knob's middle, between its "-" and "+" marks.
QRect transposeLabel()
{
    return {509, 122, 40, 16};
}

QRect transposeKnob()
{
    return {478, 36, 103, 103};
}

QRect mixerPanel()
{
    return {kMargin, kMixerTop - 4, kWindowWidth - 2 * kMargin, kMixerBottom - kMixerTop + 4};
}

QRect statusLine()
{
    return {kMargin + 4, kMixerBottom + 3, kWindowWidth - 2 * kMargin - 8, kStatusHeight};
}

QRect activityLamp(int channel)
{
    return {stripLeft(channel) + 3, kMixerTop + 2, 18, 18};
}

QRect fader(int control)
{
    const int left = control == 16 ? kGainLeft : stripLeft(control);
    return {left, kFaderTop, 24, kFaderHeight};
}

QRect soloButton(int channel)
{
    return {stripLeft(channel), kSoloTop, 24, 12};
}

QRect muteButton(int channel)
{
    return {stripLeft(channel), kMuteTop, 24, 12};
}

QRect channelNumber(int channel)
{
    return {stripLeft(channel) - 3, kMuteTop + 14, 30, 14};
}

QRect gainTitle()
{
    return {kGainLeft - 18, kMixerTop + 2, 60, 18};
}

QRect gainLabel()
{
    return {kGainLeft - 18, kSoloTop, 60, 16};
}

QRect volumeLabel(int i)
{
    const int centres[] = {kFaderTop + 8, kFaderTop + kFaderHeight / 2,
                           kFaderTop + kFaderHeight - 8};
    const int centre = centres[i < 0 ? 0 : (i > 2 ? 2 : i)];
    return {kMargin + 2, centre - 7, kLabelWidth, 14};
}

QRect soloLabel()
{
    return {kMargin + 2, kSoloTop - 1, kLabelWidth, 14};
}

QRect muteLabel()
{
    return {kMargin + 2, kMuteTop - 1, kLabelWidth, 14};
}

QRect picSM(int index)
{
    if (index >= 0 && index < 16) {
        return soloButton(index);
    }
    if (index >= 16 && index < 32) {
        return muteButton(index - 16);
    }
    return commandButton(index);
}

} // namespace melorit::mainwin::layout
