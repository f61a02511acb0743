// Saving a slider's properties to a PropertyBag and reading them back.
#include "slider/ucxSlider.h"

#include "slider/RailPainter.h"

namespace trackel {

namespace {

// Keys and defaults of the saved properties.
const QString KeyBackColor = QStringLiteral("BackColor");
const QColor DefaultBackColor; // invalid: the system button face
const QString KeyEnabled = QStringLiteral("Enabled");
constexpr bool DefaultEnabled = true;
const QString KeySliderIcon = QStringLiteral("SliderIcon"); // default: none
const QString KeyOrientation = QStringLiteral("Orientation");
constexpr int DefaultOrientation = ucxSlider::Vertical;
const QString KeyRailPicture = QStringLiteral("RailPicture"); // default: none
const QString KeyRailStyle = QStringLiteral("RailStyle");
constexpr int DefaultRailStyle = ucxSlider::Sunken;
const QString KeyShowValueTip = QStringLiteral("ShowValueTip");
constexpr bool DefaultShowValueTip = true;
const QString KeyMin = QStringLiteral("Min");
constexpr int DefaultMin = 0;
const QString KeyMax = QStringLiteral("Max");
constexpr int DefaultMax = 10;
const QString KeyValue = QStringLiteral("Value");
constexpr int DefaultValue = 0;

int readInt(const PropertyBag &bag, const QString &key, int defaultValue)
{
    bool ok = false;
    const int v = bag.readProperty(key, defaultValue).toInt(&ok);
    return ok ? v : defaultValue;
}

bool readBool(const PropertyBag &bag, const QString &key, bool defaultValue)
{
    const QVariant v = bag.readProperty(key, defaultValue);
    if (v.typeId() == QMetaType::Bool) {
        return v.toBool();
    }
    bool ok = false;
    const int n = v.toInt(&ok);
    return ok ? n != 0 : defaultValue;
}

QPixmap readPicture(const PropertyBag &bag, const QString &key)
{
    const QVariant v = bag.readProperty(key, QVariant());
    return v.canConvert<QPixmap>() ? v.value<QPixmap>() : QPixmap();
}

QVariant pictureOrNone(const QPixmap &picture)
{
    return picture.isNull() ? QVariant() : QVariant(picture);
}

} // namespace

void ucxSlider::writeProperties(PropertyBag &bag) const
{
    bag.writeProperty(KeyBackColor, m_backColor, DefaultBackColor);
    bag.writeProperty(KeyEnabled, m_enabled, DefaultEnabled);
    bag.writeProperty(KeySliderIcon, m_customThumb ? QVariant(m_thumb) : QVariant(), QVariant());
    bag.writeProperty(KeyOrientation, int{m_orientation}, DefaultOrientation);
    bag.writeProperty(KeyRailPicture, pictureOrNone(m_railPicture), QVariant());
    bag.writeProperty(KeyRailStyle, int{m_railStyle}, DefaultRailStyle);
    bag.writeProperty(KeyShowValueTip, m_showTip, DefaultShowValueTip);
    bag.writeProperty(KeyMin, m_min, DefaultMin);
    bag.writeProperty(KeyMax, m_max, DefaultMax);
    bag.writeProperty(KeyValue, m_value, DefaultValue);
}

void ucxSlider::readProperties(const PropertyBag &bag)
{
    const QVariant colour = bag.readProperty(KeyBackColor, DefaultBackColor);
    m_backColor = colour.canConvert<QColor>() ? colour.value<QColor>() : DefaultBackColor;
    m_enabled = readBool(bag, KeyEnabled, DefaultEnabled);
    m_orientation =
        static_cast<OrientationConstants>(readInt(bag, KeyOrientation, DefaultOrientation));
    m_railStyle = static_cast<RailStyleConstants>(readInt(bag, KeyRailStyle, DefaultRailStyle));
    m_showTip = readBool(bag, KeyShowValueTip, DefaultShowValueTip);
    m_min = readInt(bag, KeyMin, DefaultMin);
    m_max = readInt(bag, KeyMax, DefaultMax);
    m_value = readInt(bag, KeyValue, DefaultValue);
    m_lastValue = m_value;
    const QPixmap icon = readPicture(bag, KeySliderIcon);
    m_customThumb = !icon.isNull();
    m_thumb = m_customThumb ? icon : builtInThumb();
    m_railPicture = readPicture(bag, KeyRailPicture);
    placeThumbAtStart();
    relayout();
}

} // namespace trackel
