#pragma once

#include "skins/SkinPalette.h"

#include <QColor>
#include <QPalette>

// The widget palette of the skin's dark theme, for the windows and dialogs
// built from standard widgets (lists, tabs, check boxes, buttons) so that they
// sit beside the sheet-drawn windows without a seam.
namespace melorit::skins {

inline QPalette windowPalette()
{
    using namespace palette;
    QPalette p;
    const auto set = [&p](QPalette::ColorRole role, QRgb rgb) { p.setColor(role, QColor(rgb)); };
    set(QPalette::Window, kWindow);
    set(QPalette::WindowText, kText);
    set(QPalette::Base, kDisplay);
    set(QPalette::AlternateBase, kPanel);
    set(QPalette::Text, kIcon);
    set(QPalette::Button, kRaisedBottom);
    set(QPalette::ButtonText, kIcon);
    set(QPalette::BrightText, kWarn);
    set(QPalette::Light, kEdgeLight);
    set(QPalette::Midlight, kRaisedTop);
    set(QPalette::Mid, kTrack);
    set(QPalette::Dark, kOutline);
    set(QPalette::Shadow, kOutline);
    set(QPalette::Highlight, 0xff1d5a73); // kSong, darkened so that text stays readable
    set(QPalette::HighlightedText, 0xffffffff);
    set(QPalette::ToolTipBase, kPanel);
    set(QPalette::ToolTipText, kIcon);
    set(QPalette::PlaceholderText, kIconDim);
    set(QPalette::Link, kSong);
    set(QPalette::LinkVisited, kVoice);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        p.setColor(QPalette::Disabled, role, QColor(kIconDim));
    }
    return p;
}

} // namespace melorit::skins
