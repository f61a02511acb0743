#include "SliderTestSupport.h"

#include "tests/support/WidgetTestEnvironment.h"

#include <QApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <memory>

namespace trackel::test {

namespace {

[[maybe_unused]] const auto *const environment =
    melorit::testing::addWidgetTestEnvironment("slider_tests");

void send(ucxSlider &slider, QEvent::Type type, QPointF at, Qt::MouseButton button,
          Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    QMouseEvent event(type, at, slider.mapToGlobal(at), button, buttons, modifiers);
    QApplication::sendEvent(&slider, &event);
}

} // namespace

SignalLog::SignalLog(ucxSlider &slider)
{
    QObject::connect(&slider, &ucxSlider::click, [this] { m_names << QStringLiteral("click"); });
    QObject::connect(&slider, &ucxSlider::ArrivedFirst,
                     [this] { m_names << QStringLiteral("ArrivedFirst"); });
    QObject::connect(&slider, &ucxSlider::ArrivedLast,
                     [this] { m_names << QStringLiteral("ArrivedLast"); });
    QObject::connect(&slider, &ucxSlider::ValueChanged,
                     [this] { m_names << QStringLiteral("ValueChanged"); });
    QObject::connect(&slider, &ucxSlider::MouseDown, [this](short shift) {
        m_names << QStringLiteral("MouseDown(%1)").arg(shift);
    });
    QObject::connect(&slider, &ucxSlider::MouseUp,
                     [this](short shift) { m_names << QStringLiteral("MouseUp(%1)").arg(shift); });
}

QStringList SignalLog::take()
{
    return std::exchange(m_names, {});
}

void press(ucxSlider &slider, QPointF at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    send(slider, QEvent::MouseButtonPress, at, button, button, modifiers);
}

void moveTo(ucxSlider &slider, QPointF at)
{
    send(slider, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
}

void release(ucxSlider &slider, QPointF at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    send(slider, QEvent::MouseButtonRelease, at, button, Qt::NoButton, modifiers);
}

QWidget *findValueTip()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QStringLiteral("frmValueTip")) {
            return widget;
        }
    }
    return nullptr;
}

void makeHorizontal(ucxSlider &slider, int length)
{
    slider.setOrientation(ucxSlider::Horizontal);
    slider.resize(length, 16);
    slider.show();
}

void makeVertical(ucxSlider &slider, int length)
{
    slider.setOrientation(ucxSlider::Vertical);
    slider.resize(16, length);
    slider.show();
}

QPalette edgePalette()
{
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(0xc0, 0xc0, 0xc0));
    palette.setColor(QPalette::Light, QColor(0xff, 0xff, 0xff));
    palette.setColor(QPalette::Midlight, QColor(0xe0, 0xe0, 0xe0));
    palette.setColor(QPalette::Dark, QColor(0x80, 0x80, 0x80));
    palette.setColor(QPalette::Shadow, QColor(0x00, 0x00, 0x00));
    return palette;
}

QImage render(QWidget &widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace trackel::test
