#pragma once

#include "skins/LedText.h"
#include "skins/SkinSheets.h"

#include <QImage>
#include <QPixmap>
#include <QString>

#include <array>

class QPainter;

// The nine skin sheets as pictures, and the copies out of them that the
// windows make. Loading and drawing run on the UI thread.
namespace melorit::skins {

// Resource path of a sheet embedded in the program (":/skins/101.png" ...).
QString sheetResourcePath(Sheet sheet);

// The sheet as an image, straight from the embedded resource; a null image
// when the resource is missing or unreadable. Needs no display.
QImage loadSheetImage(Sheet sheet);

class SkinSet {
public:
    const QPixmap &sheet(Sheet sheet) const { return m_sheets[static_cast<std::size_t>(sheet)]; }
    // True when all nine sheets are loaded with their exact sizes.
    bool isComplete() const;

private:
    friend SkinSet LoadSkins();
    std::array<QPixmap, kSheetCount> m_sheets;
};

// Loads the nine sheets in resource order 101 to 109. A sheet that cannot be
// loaded stays a null picture (isComplete() tells); drawing from it draws
// nothing. Needs the GUI application object.
SkinSet LoadSkins();

// Copies the frame as it is (pixels replaced, not blended) to `at` on the
// painter's device; a copy from outside the sheet draws only the part inside.
void drawFrame(QPainter &painter, const SkinSet &skins, const Frame &frame, QPoint at = {});

// The frame as a picture of its own, for a control that keeps it as its
// persistent image.
QPixmap framePixmap(const SkinSet &skins, const Frame &frame);

// `LedPrint`: the text in LED characters, the first at (x, y), 14 pixels apart,
// from the highlighted row or the normal one.
void LedPrint(QPainter &painter, const SkinSet &skins, QStringView text, int x, int y,
              bool highlight);

} // namespace melorit::skins
