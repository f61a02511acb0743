#pragma once

#include "skins/SkinSheets.h"

#include <QString>

#include <vector>

// Every frame the drawing rules copy, family by family, for the tests that
// look at the pictures.
struct CatalogFrame {
    QString what;
    melorit::skins::Frame frame;
};

std::vector<CatalogFrame> everyPlacedFrame();
