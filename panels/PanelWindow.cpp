#include "panels/PanelWindow.h"

#include "base/Ini.h"
#include "base/KeyMods.h"
#include "base/Language.h"
#include "panels/KnobPicture.h"
#include "panels/PanelKeys.h"

#include <QCloseEvent>
#include <QMoveEvent>

namespace melorit::panels {

namespace {

MouseButton buttonOf(Qt::MouseButton button)
{
    switch (button) {
    case Qt::RightButton:
        return MouseButton::Right;
    case Qt::MiddleButton:
        return MouseButton::Middle;
    default:
        return MouseButton::Left;
    }
}

} // namespace

PanelWindow::PanelWindow(PanelHost host, QLatin1StringView section, QWidget *parent)
    : QWidget(parent, Qt::Window), m_host(std::move(host)), m_section(section),
      m_drag(KnobDragHooks{nullptr, [this](int index, int) { return pressLeft(index); },
                           [this](int index) { pressRight(index); },
                           [this](int, int start, double distance, const KeyMods &mods) {
                               return dragValue(m_drag.index(), start, distance, mods);
                           }},
             true)
{
}

PanelWindow::~PanelWindow() = default;

KnobPicture *PanelWindow::addKnob(int index, QRect geometry)
{
    auto *knob = new KnobPicture(index, geometry.size(), m_host.skins, this);
    knob->move(geometry.topLeft());
    connect(knob, &KnobPicture::mouseDown, this, &PanelWindow::Potard_MouseDown);
    connect(knob, &KnobPicture::mouseMove, this, &PanelWindow::Potard_MouseMove);
    connect(knob, &KnobPicture::mouseUp, this, &PanelWindow::Potard_MouseUp);
    connect(knob, &KnobPicture::wheelTurned, this,
            [this, index](int notches) { Potard_Wheel(index, notches); });
    m_knobs[index] = knob;
    return knob;
}

KnobPicture *PanelWindow::knob(int index) const
{
    const auto it = m_knobs.find(index);
    return it != m_knobs.end() ? it->second : nullptr;
}

QString PanelWindow::languageText(const QString &key) const
{
    if (!m_host.languageFile) {
        return {};
    }
    return melorit::languageText(m_host.languageFile(), m_section, key);
}

QString PanelWindow::languageText(QLatin1StringView key) const
{
    return languageText(QString(key));
}

void PanelWindow::Potard_MouseDown(int index, Qt::MouseButton button,
                                   Qt::KeyboardModifiers modifiers, QPointF point)
{
    if (m_host.mixer == nullptr) {
        return;
    }
    m_drag.press(index, buttonOf(button), shiftArgument(modifiers), point, dragModeOf(index),
                 valueAtPress(index));
    afterPress(index, button);
}

void PanelWindow::Potard_MouseMove(int, Qt::KeyboardModifiers modifiers, QPointF point)
{
    if (const auto value = m_drag.move(shiftArgument(modifiers), point)) {
        dragged(m_drag.index(), *value);
    }
}

void PanelWindow::Potard_MouseUp(int)
{
    if (const auto commit = m_drag.release()) {
        released(commit->index, commit->value);
    }
    afterRelease();
}

void PanelWindow::Potard_Wheel(int index, int notches)
{
    if (m_host.mixer == nullptr || m_drag.dragging() || !turnsWithWheel(index)) {
        return;
    }
    // One pixel of a knob's drag is its smallest step.
    const QPointF at;
    Potard_MouseDown(index, Qt::LeftButton, Qt::NoModifier, at);
    Potard_MouseMove(index, Qt::NoModifier, at + QPointF(notches, 0));
    Potard_MouseUp(index);
}

bool PanelWindow::turnsWithWheel(int) const
{
    return true;
}

void PanelWindow::afterPress(int, Qt::MouseButton)
{
}

void PanelWindow::afterRelease()
{
}

void PanelWindow::closeEvent(QCloseEvent *event)
{
    if (m_unloaded || (m_host.shuttingDown && m_host.shuttingDown())) {
        event->accept();
        return;
    }
    event->ignore();
    // A drag under way ends as a release would: what is heard is what is kept.
    if (m_drag.dragging()) {
        Potard_MouseUp(m_drag.index());
    }
    hide();
    WriteIni(m_section, keys::kShowKey, keys::kHiddenValue, m_host.configFile);
    if (m_host.panelHidden) {
        m_host.panelHidden();
    }
    Q_EMIT hiddenByUser();
}

void PanelWindow::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    MemoPosition();
}

void PanelWindow::MemoPosition()
{
    MemoOffset(m_host, pos(), m_section, m_host.configFile);
}

} // namespace melorit::panels
