#include "panels/Reglage.h"

#include "engine/ControllerTable.h"
#include "engine/Mixer.h"
#include "panels/KnobPicture.h"
#include "panels/KnobTag.h"
#include "panels/PanelKeys.h"
#include "panels/PanelStyle.h"
#include "skins/KnobFrames.h"
#include "skins/SkinPalette.h"

#include <QLabel>
#include <QPainter>

namespace melorit::panels {

using namespace melorit::engine;

namespace {

constexpr int kRows = 7;
constexpr int kMargin = 8;
constexpr int kLabelWidth = 72;
constexpr int kColumnWidth = 28;
constexpr int kKnobSize = 24;
constexpr int kDisplayHeight = 12;
constexpr int kHeaderHeight = 18;
constexpr int kRowGap = 8;
constexpr std::array<int, kRows> kRowHeights{kKnobSize,      kKnobSize,      kKnobSize, kKnobSize,
                                             kDisplayHeight, kDisplayHeight, kKnobSize};
constexpr std::array<QLatin1StringView, kRows> kRowKeys{
    keys::kVolumeKey,  keys::kPanKey,  keys::kReverbKey, keys::kChorusKey,
    keys::kProgramKey, keys::kBankKey, keys::kDrumKey};
// Built-in title, before the language file is read.
constexpr QStringView kBuiltInCaption = u"R\u00e9glages";

int rowTop(int row)
{
    int top = kMargin + kHeaderHeight;
    for (int r = 0; r < row; ++r) {
        top += kRowHeights[r] + kRowGap;
    }
    return top;
}

int columnLeft(int channel)
{
    return kMargin + kLabelWidth + channel * kColumnWidth;
}

} // namespace

Reglage::Reglage(PanelHost host, QWidget *parent)
    : PanelWindow(std::move(host), keys::kReglageSection, parent),
      m_controls(*m_host.mixer, m_host.presets), m_caption(kBuiltInCaption.toString())
{
    style::applyPanelLook(*this);
    setFixedSize(columnLeft(kChannelCount) + kMargin, rowTop(kRows) - kRowGap + kMargin);
    buildControls();
    setWindowTitle(m_caption);
    LoadLanguage();
    redrawAll();
}

void Reglage::buildControls()
{
    for (int row = 0; row < kRows; ++row) {
        const QRect band = rowBand(row);
        m_rowLabels[row] =
            style::addLabel(this, QRect(kMargin, band.top(), kLabelWidth - 4, band.height()),
                            Qt::AlignLeft | Qt::AlignVCenter);
        for (int ch = 0; ch < kChannelCount; ++ch) {
            const int index = row * kChannelCount + ch;
            const QRect at(columnLeft(ch) + (kColumnWidth - kKnobSize) / 2, band.top(), kKnobSize,
                           kRowHeights[row]);
            KnobPicture *picture = addKnob(index, at);
            picture->setTag(KnobTag{channelKnobKind(index), false}.text());
        }
    }
    for (int ch = 0; ch < kChannelCount; ++ch) {
        m_channelLabels[ch] = style::addLabel(
            this, QRect(columnLeft(ch), kMargin, kColumnWidth, kHeaderHeight - 4), Qt::AlignCenter);
        m_channelLabels[ch]->setText(QString::number(ch + 1));
    }
}

QRect Reglage::rowBand(int row) const
{
    return {kMargin, rowTop(row), width() - 2 * kMargin, kRowHeights[row]};
}

void Reglage::LoadLanguage()
{
    const QString caption = languageText(keys::kCaptionKey);
    if (!caption.isEmpty()) {
        m_caption = caption;
    }
    if (!isDragging()) {
        setWindowTitle(m_caption);
    }
    for (int row = 0; row < kRows; ++row) {
        m_rowLabels[row]->setText(languageText(kRowKeys[row]));
    }
}

int Reglage::shownValue(int index) const
{
    return index >= 0 && index < kChannelControlCount ? m_shown[index] : 0;
}

bool Reglage::markOf(int index) const
{
    const KnobPicture *picture = knob(index);
    return picture != nullptr && KnobTag::parse(picture->tag()).mark;
}

QString Reglage::TipPreset(int channel, int bank, int program) const
{
    return m_controls.TipPreset(channel, bank, program);
}

void Reglage::DrawKnob(int index, int value, bool showInTitle)
{
    if (!drawOne(index, value, showInTitle)) {
        return;
    }
    // The bank and program displays name the preset of the pair, and the
    // bank display shows the drum kit in drum mode: a change to one of the
    // three redraws the channel's other displays.
    const int channel = channelOfIndex(index);
    const int bank = kRowBank + channel;
    const int program = kRowProgram + channel;
    switch (rowBaseOf(index)) {
    case kRowDrums:
        drawOne(bank, m_host.mixer->controllers().effective(bank), false);
        drawOne(program, m_shown[program], false);
        break;
    case kRowBank:
        drawOne(program, m_shown[program], false);
        break;
    case kRowProgram:
        drawOne(bank, m_shown[bank], false);
        break;
    default:
        break;
    }
}

bool Reglage::drawOne(int index, int value, bool showInTitle)
{
    KnobPicture *picture = knob(index);
    if (picture == nullptr) {
        return false;
    }
    m_shown[index] = value;
    const ChannelKnobFace face = m_controls.face(index, value, [this](int i) { return markOf(i); });
    picture->setFrame(skins::channelKnobFrame(face.kind, face.value, face.mark));
    picture->setToolTip(face.tip);
    if (showInTitle) {
        setWindowTitle(face.tip);
    }
    return true;
}

void Reglage::redrawAll()
{
    const ControllerTable &table = m_host.mixer->controllers();
    for (int index = 0; index < kChannelControlCount; ++index) {
        if (KnobPicture *picture = knob(index)) {
            picture->setTag(withMark(picture->tag(), table.hasOverride(index)));
        }
    }
    for (int index = 0; index < kChannelControlCount; ++index) {
        DrawKnob(index, table.effective(index));
    }
}

void Reglage::controllerKnobChanged(int index, int value)
{
    DrawKnob(index, value);
}

void Reglage::controllerMarkChanged(int index, bool overridden)
{
    KnobPicture *picture = knob(index);
    if (picture == nullptr) {
        return;
    }
    picture->setTag(withMark(picture->tag(), overridden));
    // The bank display of a drum-mode channel carries the drum mode's mark.
    DrawKnob(index, m_shown[index]);
}

int Reglage::dragModeOf(int index) const
{
    return channelDragMode(index);
}

int Reglage::valueAtPress(int index) const
{
    return m_host.mixer->controllers().effective(index);
}

int Reglage::pressLeft(int index)
{
    return m_controls.pressLeft(index, keyMods());
}

void Reglage::pressRight(int index)
{
    m_controls.pressRight(index);
}

int Reglage::dragValue(int index, int start, double distance, const KeyMods &mods) const
{
    return channelDragValue(channelDragMode(index), start, distance, mods, m_controls.maxBank());
}

void Reglage::dragged(int index, int value)
{
    m_controls.preview(index, value);
    DrawKnob(index, value, true);
}

void Reglage::released(int index, int value)
{
    m_controls.commit(index, value);
}

void Reglage::afterPress(int index, Qt::MouseButton button)
{
    // A click shows the control's text in the title, as a drag does.
    if (button != Qt::RightButton && isDragging()) {
        DrawKnob(index, m_host.mixer->controllers().effective(index), true);
    }
}

bool Reglage::turnsWithWheel(int index) const
{
    return channelKnobKind(index) <= 1;
}

void Reglage::afterRelease()
{
    setWindowTitle(m_caption);
}

void Reglage::paintEvent(QPaintEvent *)
{
    using namespace skins::palette;
    QPainter painter(this);
    style::paintBackground(painter, rect());
    // The channel numbers on a raised strip; the controls on the window's
    // own colour (the sheets' background), columns parted by thin grooves.
    const int gridTop = kMargin;
    const int gridBottom = rowTop(kRows) - kRowGap;
    style::paintPanel(painter, QRect(columnLeft(0) - 2, gridTop - 2,
                                     kChannelCount * kColumnWidth + 4, kHeaderHeight));
    for (int ch = 1; ch < kChannelCount; ++ch) {
        const int x = columnLeft(ch);
        painter.fillRect(
            QRect(x - 1, gridTop + kHeaderHeight, 1, gridBottom - gridTop - kHeaderHeight),
            QColor(kOutline));
        painter.fillRect(QRect(x, gridTop + kHeaderHeight, 1, gridBottom - gridTop - kHeaderHeight),
                         QColor(kPanel));
    }
    // Row labels sit on a groove line under each row.
    for (int row = 0; row + 1 < kRows; ++row) {
        const int y = rowTop(row + 1) - kRowGap / 2;
        painter.fillRect(QRect(kMargin, y, width() - 2 * kMargin, 1), QColor(kOutline));
    }
}

} // namespace melorit::panels
