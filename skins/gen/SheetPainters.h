#pragma once

#include <QImage>

// One painter per skin sheet; each draws every frame at the place the
// drawing rules (KnobFrames, ButtonFrames, MeterFrames, LedText) read it.
namespace melorit::skins::gen {

void paintRotaryKnobs(QImage &sheet);   // 101
void paintNumberStrips(QImage &sheet);  // 102
void paintButtons(QImage &sheet);       // 103
void paintActivityLamps(QImage &sheet); // 104
void paintEffectKnobs(QImage &sheet);   // 105
void paintFaders(QImage &sheet);        // 106
void paintLevelMeter(QImage &sheet);    // 107
void paintLedFont(QImage &sheet);       // 108
void paintTransposeKnob(QImage &sheet); // 109

} // namespace melorit::skins::gen
