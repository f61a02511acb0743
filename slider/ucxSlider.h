#pragma once

#include "slider/PropertyBag.h"
#include "slider/TrackelExport.h"

#include <QColor>
#include <QPixmap>
#include <QPointF>
#include <QWidget>

namespace trackel {

// A horizontal or vertical slider: a thumb picture dragged along a rail drawn as a 3-D edge or
// as a picture, with an integer Value between Min and Max, change and end-stop signals, and a
// value tip that follows the thumb while it is dragged. On a vertical slider the minimum is at
// the bottom. UI thread.
//
// Properties and signals carry the names hosts use through the meta-object system
// (setProperty("Min", 5), a QSignalSpy on "ValueChanged()").
//
// Errors: the one refused assignment is Min set to a value not below Max. The property then
// keeps its value, setMin() returns false and lastError() gives ErrInvalidPropertyValue
// (380, "invalid property value"). Every other out-of-range assignment is accepted as given.
//
// The widget's own `Enabled` flag only gates presses; it is separate from QWidget's enabled
// state, so that a slider disabled during a drag still sees the release that ends it.
class TRACKEL_EXPORT ucxSlider : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Value READ value WRITE setValue NOTIFY ValueChanged USER true)
    Q_PROPERTY(bool ShowValueTip READ showValueTip WRITE setShowValueTip)
    Q_PROPERTY(QPixmap RailPicture READ railPicture WRITE setRailPicture)
    Q_PROPERTY(QPixmap SliderIcon READ sliderIcon WRITE setSliderIcon)
    Q_PROPERTY(RailStyleConstants RailStyle READ railStyle WRITE setRailStyle)
    Q_PROPERTY(OrientationConstants Orientation READ orientation WRITE setOrientation)
    Q_PROPERTY(int Min READ min WRITE setMin)
    Q_PROPERTY(int Max READ max WRITE setMax)
    Q_PROPERTY(QColor Backcolor READ backcolor WRITE setBackcolor)
    Q_PROPERTY(bool Enabled READ sliderEnabled WRITE setSliderEnabled)

public:
    enum OrientationConstants : int { Horizontal = 0, Vertical = 1 };
    Q_ENUM(OrientationConstants)

    enum RailStyleConstants : int {
        Sunken = 0,
        Raised = 1,
        SunkenSoft = 2,
        RaisedSoft = 3,
        ByPicture = 99,
    };
    Q_ENUM(RailStyleConstants)

    // Error code of a refused property assignment.
    static constexpr int ErrInvalidPropertyValue = 380;

    // Bits of the shift state passed with MouseDown and MouseUp.
    static constexpr short ShiftMask = 1;
    static constexpr short CtrlMask = 2;
    static constexpr short AltMask = 4;

    explicit ucxSlider(QWidget *parent = nullptr);
    ~ucxSlider() override;

    int value() const { return m_value; }
    // Stores v. When v differs from the value the signals were last raised for, moves the
    // thumb (unless a drag is in progress), repaints, then raises ValueChanged, ArrivedLast
    // when v = Max and ArrivedFirst when v = Min. The same value again does nothing.
    void setValue(int v);

    bool showValueTip() const { return m_showTip; }
    void setShowValueTip(bool show) { m_showTip = show; }

    QPixmap railPicture() const { return m_railPicture; }
    void setRailPicture(const QPixmap &picture);

    // The thumb picture: the built-in one until a picture is set; a null picture brings the
    // built-in one back.
    QPixmap sliderIcon() const { return m_thumb; }
    void setSliderIcon(const QPixmap &picture);

    RailStyleConstants railStyle() const { return m_railStyle; }
    void setRailStyle(RailStyleConstants style);

    // Any value other than Horizontal lays the slider out vertically.
    OrientationConstants orientation() const { return m_orientation; }
    void setOrientation(OrientationConstants orientation);

    int min() const { return m_min; }
    // Refused (false, lastError() = 380) when min is not below Max. Otherwise Value moves to
    // the new minimum, with its signals.
    bool setMin(int min);

    int max() const { return m_max; }
    // Accepted as given, also when it is not above Min.
    void setMax(int max);

    // The background colour; an invalid colour stands for the system button face, which
    // follows the palette and is the default.
    QColor backcolor() const;
    void setBackcolor(const QColor &colour);

    bool sliderEnabled() const { return m_enabled; }
    void setSliderEnabled(bool enabled) { m_enabled = enabled; }

    // 0, or ErrInvalidPropertyValue when the last Min assignment was refused.
    int lastError() const { return m_lastError; }

    // Where the thumb is drawn and the rail edge runs, in widget pixels.
    QRect thumbRect() const;
    QRect railRect() const;
    bool isDragging() const { return m_dragging; }

    // Persistence under the keys "BackColor", "Enabled", "SliderIcon", "Orientation",
    // "RailPicture", "RailStyle", "ShowValueTip", "Min", "Max", "Value", written in that order;
    // a property at its default is not stored. Reading takes the values as given (no error,
    // no signal), so a bag restores exactly what was saved; a value of the wrong type reads
    // as the default.
    void writeProperties(PropertyBag &bag) const;
    void readProperties(const PropertyBag &bag);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void click();
    void ArrivedFirst();
    void ArrivedLast();
    void ValueChanged();
    void MouseDown(short Shift);
    void MouseUp(short Shift);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool isHorizontal() const { return m_orientation == Horizontal; }
    qint64 range() const { return qint64{m_max} - qint64{m_min}; }
    int travel() const;
    void relayout();
    void applySizeConstraints();
    void placeThumbAtStart();
    void placeThumbForValue();
    void dragTo(QPointF pointer);
    void refresh();
    void paintRail(QPainter &painter);
    static short shiftState(Qt::KeyboardModifiers modifiers);

    bool m_enabled = true;
    OrientationConstants m_orientation = Vertical;
    RailStyleConstants m_railStyle = Sunken;
    bool m_showTip = true;
    int m_min = 0;
    int m_max = 10;
    int m_value = 0;
    int m_lastValue = 0;
    bool m_dragging = false;
    QPointF m_grab;
    QPointF m_thumbPos;
    QPixmap m_thumb;
    bool m_customThumb = false;
    QPixmap m_railPicture;
    QColor m_backColor; // invalid: the system button face
    int m_lastError = 0;
};

} // namespace trackel
