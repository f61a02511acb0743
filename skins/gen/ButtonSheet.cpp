#include "skins/ButtonFrames.h"
#include "skins/KnobFrames.h"
#include "skins/MeterFrames.h"
#include "skins/SkinPalette.h"
#include "skins/gen/Canvas.h"
#include "skins/gen/Icons.h"
#include "skins/gen/PixelFont.h"
#include "skins/gen/SheetPainters.h"

#include <QPainter>

#include <array>

namespace melorit::skins::gen {

namespace {

QColor rgb(QRgb value)
{
    return QColor::fromRgb(value);
}

// A button cell: raised when released, sunken with a lit icon when pressed
// or on. `accent` colours the lit icon; `ring` (when valid) draws a thin
// coloured edge inside the face, the mark of a control the user has taken over.
struct ButtonLook {
    Icon icon = Icon::Play;
    bool on = false;
    QColor accent = rgb(palette::kSong);
    QColor iconColour = rgb(palette::kIcon);
    QColor ring;
};

ButtonLook look(Icon icon, bool on, QColor accent = rgb(palette::kSong))
{
    ButtonLook result;
    result.icon = icon;
    result.on = on;
    result.accent = accent;
    return result;
}

void paintButton(QPainter &p, const QRect &cell, const ButtonLook &look)
{
    const double radius = cell.width() >= 32 ? 5 : 4;
    const QRectF box = QRectF(cell).adjusted(1, 1, -1, -1);
    if (look.on) {
        sunkenFace(p, box, radius);
    } else {
        raisedFace(p, box, radius);
    }
    if (look.ring.isValid()) {
        p.save();
        p.setPen(QPen(look.ring, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(box.adjusted(1.5, 1.5, -1.5, -1.5), radius - 1.5, radius - 1.5);
        p.restore();
    }
    const double scale = cell.width() >= 32 ? 1.25 : 1.0;
    const double inset = (cell.width() - 16 * scale) / 2;
    QTransform place;
    place.translate(cell.x() + inset, cell.y() + inset + (look.on ? 1 : 0));
    place.scale(scale, scale);
    const QPainterPath icon = place.map(iconPath(look.icon));
    p.save();
    p.setPen(Qt::NoPen);
    if (look.on) {
        fillGlowing(p, icon, look.accent, 0.22);
    } else {
        p.setBrush(alpha(Qt::black, 0.6));
        p.drawPath(icon.translated(0, 1));
        p.setBrush(look.iconColour);
        p.drawPath(icon);
    }
    p.restore();
}

// Solo/mute cell, 24 x 12: off, lit in the voice colour (voice muted
// automatically), outlined in the voice colour (voice heard), lit.
void paintSoloMute(QPainter &p, const QRect &cell, QChar letter, int state, QColor lit)
{
    const QColor voice = rgb(palette::kVoice);
    const QRectF pill = QRectF(cell).adjusted(1, 1, -1, -1);
    const bool filled = state == 1 || state == 3;
    const QColor colour = state == 3 ? lit : voice;
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(rgb(palette::kOutline));
    p.drawRoundedRect(pill, 3, 3);
    QLinearGradient face(pill.topLeft(), pill.bottomLeft());
    face.setColorAt(0, filled ? mix(colour, Qt::white, 0.2) : rgb(palette::kRaisedTop));
    face.setColorAt(1, filled ? mix(colour, Qt::black, 0.25) : rgb(palette::kRaisedBottom));
    p.setBrush(face);
    p.drawRoundedRect(pill.adjusted(1, 1, -1, -1), 2, 2);
    if (state == 2) {
        p.setPen(QPen(voice, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(pill.adjusted(1.5, 1.5, -1.5, -1.5), 1.5, 1.5);
    }
    p.restore();
    const QColor ink =
        filled ? rgb(palette::kOutline) : (state == 2 ? voice : rgb(palette::kIconDim));
    const QString text(letter);
    const QPoint at(cell.x() + (cell.width() - pixelTextWidth(text)) / 2, cell.y() + 3);
    drawPixelText(p, text, at, ink);
}

void paintSoloMuteColumn(QPainter &p)
{
    for (int state = 0; state < 4; ++state) {
        paintSoloMute(p, mainButtonFrame(kFirstSoloButton, state)->source, u'S', state,
                      rgb(palette::kGo));
        paintSoloMute(p, mainButtonFrame(kFirstMuteButton, state)->source, u'M', state,
                      rgb(palette::kStop));
    }
}

void paintClipLamp(QPainter &p)
{
    for (const bool lit : {false, true}) {
        const QRectF cell = clipLampFrame(lit).source;
        p.save();
        p.setClipRect(cell);
        ledLamp(p, cell.center(), 6.5, rgb(palette::kStop), lit ? 1.0 : 0.0, 11.5);
        p.restore();
    }
}

void paintDrumToggle(QPainter &p)
{
    for (const bool mark : {false, true}) {
        const QColor accent = rgb(mark ? palette::kOverride : palette::kSong);
        const QColor ring = mark ? alpha(accent, 0.85) : QColor();
        ButtonLook melodic = look(Icon::Note, false, accent);
        melodic.ring = ring;
        if (mark) {
            melodic.iconColour = accent;
        }
        ButtonLook drums = look(Icon::Drum, true, accent);
        drums.ring = ring;
        paintButton(p, drumButtonFrame(0, mark).source, melodic);
        paintButton(p, drumButtonFrame(1, mark).source, drums);
    }
}

constexpr std::array<Icon, 19> kCommandIcons{
    Icon::Previous, Icon::Stop,      Icon::Next,        Icon::Play,         Icon::Record,
    Icon::Open,     Icon::Help,      Icon::Markers,     Icon::ChannelPanel, Icon::EffectsPanel,
    Icon::Repeat,   Icon::Setup,     Icon::StartMarker, Icon::EndMarker,    Icon::Lyrics,
    Icon::Playlist, Icon::SoundFont, Icon::Close,       Icon::Minimise};

QColor commandAccent(int index)
{
    switch (index) {
    case 35:
        return rgb(palette::kGo);
    case 36:
    case 49:
        return rgb(palette::kStop);
    default:
        return rgb(palette::kSong);
    }
}

void paintCommandButtons(QPainter &p)
{
    for (int index = kFirstCommandButton; index <= kLastCommandButton; ++index) {
        const Icon icon = kCommandIcons[static_cast<std::size_t>(index - kFirstCommandButton)];
        for (const int state : {0, 1}) {
            paintButton(p, mainButtonFrame(index, state)->source,
                        look(icon, state == 1, commandAccent(index)));
        }
    }
    // Paused: held down, the pause bars lit where the play arrow was.
    paintButton(p, mainButtonFrame(kPlayButton, kPausedState)->source,
                look(Icon::Pause, true, rgb(palette::kWarn)));
}

constexpr std::array<Icon, 7> kPlaylistIcons{Icon::Add,      Icon::Remove,       Icon::LoadList,
                                             Icon::SaveList, Icon::PlaySelected, Icon::Shuffle,
                                             Icon::Repeat};

// The "1" inside the loop of the repeat-this-song cell, pixel for pixel and
// brighter than the loop so that it reads at its small size.
void repeatOneMark(QPainter &p, const QRect &cell)
{
    const QColor ink = mix(rgb(palette::kSong), Qt::white, 0.6);
    const int x = cell.x() + 12;
    const int y = cell.y() + 11; // the icon of a lit button sits one pixel lower
    p.fillRect(x, y, 2, 5, ink);
    p.fillRect(x - 1, y + 1, 1, 1, ink);
}

void paintPlaylistButtons(QPainter &p)
{
    for (int index = kFirstPlaylistButton; index < kPlaylistRepeatButton; ++index) {
        const Icon icon = kPlaylistIcons[static_cast<std::size_t>(index - kFirstPlaylistButton)];
        for (const int state : {0, 1}) {
            paintButton(p, playlistButtonFrame(index, state)->source, look(icon, state == 1));
        }
    }
    // The repeat cells, read by both windows' repeat buttons.
    paintButton(p, playlistButtonFrame(kPlaylistRepeatButton, 0)->source,
                look(Icon::Repeat, false));
    const QRect one = playlistButtonFrame(kPlaylistRepeatButton, 2)->source;
    paintButton(p, one, look(Icon::Repeat, true));
    repeatOneMark(p, one);
    paintButton(p, playlistButtonFrame(kPlaylistRepeatButton, 3)->source, look(Icon::Repeat, true));
}

} // namespace

void paintButtons(QImage &sheet)
{
    QPainter p(&sheet);
    p.setRenderHint(QPainter::Antialiasing);
    paintSoloMuteColumn(p);
    paintClipLamp(p);
    paintDrumToggle(p);
    paintCommandButtons(p);
    paintPlaylistButtons(p);
}

} // namespace melorit::skins::gen
