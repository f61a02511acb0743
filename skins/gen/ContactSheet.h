#pragma once

#include "skins/SkinSheets.h"

#include <QImage>

#include <array>

namespace melorit::skins::gen {

// All nine sheets on one page for review, each labelled; the tall strips are
// cut into side-by-side columns so the page stays readable.
QImage contactSheet(const std::array<QImage, kSheetCount> &sheets);

} // namespace melorit::skins::gen
