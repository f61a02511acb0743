#pragma once

#include "skins/SkinSheets.h"

#include <QWidget>

namespace melorit::skins {
class SkinSet;
} // namespace melorit::skins

namespace melorit::mainwin {

// A picture that only shows a skin frame (activity lamps, level meters, the
// clipping lamp). Mouse events go through to the window, which is dragged by
// any point. UI thread.
class SkinPicture : public QWidget {
public:
    SkinPicture(const skins::SkinSet &skins, QWidget *parent);

    void setFrame(const skins::Frame &frame);
    const skins::Frame &frame() const { return m_frame; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const skins::SkinSet &m_skins;
    skins::Frame m_frame;
    bool m_hasFrame = false;
};

} // namespace melorit::mainwin
