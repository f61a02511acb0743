#include "panels/Reverb.h"

#include "base/Language.h"
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

constexpr int kEffectKind = 4;
constexpr int kMargin = 8;
constexpr int kPadding = 8;
constexpr int kCellWidth = 64;
constexpr int kKnobSize = 48;
constexpr int kCaptionHeight = 20;
constexpr int kNameHeight = 14;
constexpr int kValueHeight = 16;
constexpr int kValueWidth = 48;
constexpr int kFrameHeight = kCaptionHeight + kNameHeight + kKnobSize + 4 + kValueHeight + kPadding;
constexpr QStringView kBuiltInCaption = u"Effets";

int knobOf(int index)
{
    return index - kFirstEffectControl;
}

bool inChorusFrame(int k)
{
    return k >= kReverbKnobCount;
}

// The value label: an LED-like display, cyan while the song's value shows,
// amber once the user has taken the parameter over.
void styleValueLabel(QLabel &label, bool mark)
{
    using namespace skins::palette;
    QPalette p = label.palette();
    p.setColor(QPalette::Window, QColor(kDisplay));
    p.setColor(QPalette::WindowText, QColor(mark ? kOverride : kSong));
    label.setPalette(p);
}

} // namespace

Reverb::Reverb(PanelHost host, QWidget *parent)
    : PanelWindow(std::move(host), keys::kReverbSection, parent), m_controls(*m_host.mixer)
{
    style::applyPanelLook(*this);
    const int reverbWidth = 2 * kPadding + kReverbKnobCount * kCellWidth;
    const int chorusWidth = 2 * kPadding + (kEffectControlCount - kReverbKnobCount) * kCellWidth;
    setFixedSize(3 * kMargin + reverbWidth + chorusWidth, 2 * kMargin + kFrameHeight);
    buildControls();
    setWindowTitle(kBuiltInCaption.toString());
    LoadLanguage();
    redrawAll();
}

QRect Reverb::frameRect(bool chorus) const
{
    const int reverbWidth = 2 * kPadding + kReverbKnobCount * kCellWidth;
    const int chorusWidth = 2 * kPadding + (kEffectControlCount - kReverbKnobCount) * kCellWidth;
    return chorus ? QRect(2 * kMargin + reverbWidth, kMargin, chorusWidth, kFrameHeight)
                  : QRect(kMargin, kMargin, reverbWidth, kFrameHeight);
}

void Reverb::buildControls()
{
    for (const bool chorus : {false, true}) {
        const QRect frame = frameRect(chorus);
        QLabel *caption = style::addLabel(
            this, QRect(frame.left() + kPadding, frame.top() + 3, frame.width() - 2 * kPadding, 16),
            Qt::AlignLeft | Qt::AlignVCenter);
        QPalette p = caption->palette();
        p.setColor(QPalette::WindowText, QColor(skins::palette::kIcon));
        caption->setPalette(p);
        QFont font = caption->font();
        font.setBold(true);
        caption->setFont(font);
        (chorus ? m_chorusCaption : m_reverbCaption) = caption;
    }
    for (int k = 0; k < kEffectControlCount; ++k) {
        const int index = kFirstEffectControl + k;
        const QRect frame = frameRect(inChorusFrame(k));
        const int column = inChorusFrame(k) ? k - kReverbKnobCount : k;
        const int left = frame.left() + kPadding + column * kCellWidth;
        const int top = frame.top() + kCaptionHeight;
        m_names[k] =
            style::addLabel(this, QRect(left, top, kCellWidth, kNameHeight), Qt::AlignCenter);
        KnobPicture *picture = addKnob(index, QRect(left + (kCellWidth - kKnobSize) / 2,
                                                    top + kNameHeight, kKnobSize, kKnobSize));
        picture->setTag(KnobTag{kEffectKind, false}.text());
        m_values[k] =
            style::addLabel(this,
                            QRect(left + (kCellWidth - kValueWidth) / 2,
                                  top + kNameHeight + kKnobSize + 4, kValueWidth, kValueHeight),
                            Qt::AlignCenter);
        m_values[k]->setAutoFillBackground(true);
        styleValueLabel(*m_values[k], false);
    }
}

void Reverb::LoadLanguage()
{
    const QString caption = languageText(keys::kCaptionKey);
    if (!caption.isEmpty()) {
        setWindowTitle(caption);
    }
    m_reverbCaption->setText(languageText(keys::kFrameReverbKey));
    m_chorusCaption->setText(languageText(keys::kFrameChorusKey));
    for (int k = 0; k < kEffectControlCount; ++k) {
        m_names[k]->setText(languageText(indexedKey(keys::kCtrlStem, keys::kFirstCtrlLabel + k)));
    }
}

QLabel *Reverb::valueLabel(int index) const
{
    return isEffectControl(index) ? m_values[knobOf(index)] : nullptr;
}

QLabel *Reverb::nameLabel(int labelIndex) const
{
    const int k = labelIndex - keys::kFirstCtrlLabel;
    return k >= 0 && k < kEffectControlCount ? m_names[k] : nullptr;
}

bool Reverb::markOf(int index) const
{
    const KnobPicture *picture = knob(index);
    return picture != nullptr && KnobTag::parse(picture->tag()).mark;
}

void Reverb::DrawKnob(int index, int value)
{
    KnobPicture *picture = knob(index);
    if (picture == nullptr) {
        return;
    }
    m_shown[knobOf(index)] = value;
    const EffectKnobFace face = effectKnobFace(index, value, markOf(index));
    picture->setFrame(skins::effectKnobFrame(face.value, face.maximum, face.mark));
    QLabel *label = m_values[knobOf(index)];
    label->setText(face.label);
    styleValueLabel(*label, face.mark);
}

void Reverb::redrawAll()
{
    const ControllerTable &table = m_host.mixer->controllers();
    for (int k = 0; k < kEffectControlCount; ++k) {
        const int index = kFirstEffectControl + k;
        if (KnobPicture *picture = knob(index)) {
            picture->setTag(withMark(picture->tag(), table.hasOverride(index)));
        }
        DrawKnob(index, table.effective(index));
    }
}

void Reverb::controllerKnobChanged(int index, int value)
{
    DrawKnob(index, value);
}

void Reverb::controllerMarkChanged(int index, bool overridden)
{
    KnobPicture *picture = knob(index);
    if (picture == nullptr) {
        return;
    }
    picture->setTag(withMark(picture->tag(), overridden));
    DrawKnob(index, m_shown[knobOf(index)]);
}

int Reverb::dragModeOf(int index) const
{
    return isEffectControl(index) ? knobOf(index) + 1 : 0;
}

int Reverb::valueAtPress(int index) const
{
    return m_host.mixer->controllers().effective(index);
}

int Reverb::pressLeft(int index)
{
    return m_controls.pressLeft(index);
}

void Reverb::pressRight(int index)
{
    m_controls.pressRight(index);
}

int Reverb::dragValue(int index, int start, double distance, const KeyMods &mods) const
{
    return effectDragValue(index, start, distance, mods);
}

void Reverb::dragged(int index, int value)
{
    m_controls.preview(index, value);
    DrawKnob(index, value);
}

void Reverb::released(int index, int value)
{
    m_controls.commit(index, value);
}

void Reverb::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    style::paintBackground(painter, rect());
    style::paintFrame(painter, frameRect(false));
    style::paintFrame(painter, frameRect(true));
}

} // namespace melorit::panels
