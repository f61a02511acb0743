#include "app/mainwin/frmRovuRodu.h"

#include "app/mainwin/MainLayout.h"
#include "app/mainwin/MarkerBar.h"
#include "app/mainwin/MixPicture.h"
#include "app/mainwin/ScopeBox.h"
#include "app/mainwin/TimeEntry.h"
#include "audio/SyncDispatcher.h"
#include "base/Ini.h"
#include "engine/Player.h"
#include "skins/ButtonFrames.h"
#include "skins/FramePicture.h"
#include "skins/PictureButton.h"
#include "skins/SkinPalette.h"
#include "skins/Skins.h"
#include "slider/ucxSlider.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSocketNotifier>
#include <QTimer>
#include <QWindow>

namespace melorit::mainwin {

namespace {

QFont labelFont(int pixelSize, bool bold = false)
{
    QFont font;
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

} // namespace

frmRovuRodu::frmRovuRodu(engine::Player &player, const skins::SkinSet &skins, MainWindowHost &host,
                         QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_player(player), m_skins(skins),
      m_host(host), m_activity(std::make_shared<ChannelActivity>())
{
    setObjectName(QStringLiteral("frmRovuRodu"));
    setFixedSize(layout::kWindowWidth, layout::kWindowHeight);
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(skins::palette::kWindow));
    palette.setColor(QPalette::WindowText, QColor(skins::palette::kText));
    setPalette(palette);

    buildControls();
    buildLabels();

    m_clock = new QTimer(this);
    m_clock->setObjectName(QStringLiteral("tmrRovuRodu"));
    m_clock->setInterval(kClockInterval);
    connect(m_clock, &QTimer::timeout, this, &frmRovuRodu::tmrRovuRodu_Timer);

    // TimerEncodage: the batch conversion's steps, while the player asks.
    m_batchTimer = new QTimer(this);
    m_batchTimer->setObjectName(QStringLiteral("TimerEncodage"));
    m_batchTimer->setInterval(engine::Player::kBatchTimerInterval);
    connect(m_batchTimer, &QTimer::timeout, this, [this] { m_player.TimerEncodage_Timer(); });

    m_statusTimer = new QTimer(this);
    m_statusTimer->setSingleShot(true);
    m_statusTimer->setInterval(kStatusMillis);
    connect(m_statusTimer, &QTimer::timeout, this, [this] { statusShown({}); });

    // Heard syncs (lyrics, notes, the end) are run as soon as they are due,
    // not only on the clock's ticks, and also while the clock is stopped
    // during a drag of the position slider.
    m_syncNotifier = new QSocketNotifier(audio::SyncDispatcher::fd(), QSocketNotifier::Read, this);
    connect(m_syncNotifier, &QSocketNotifier::activated, this, [this] { m_player.pumpSyncs(); });

    DispMiscButtons();
    LoadLanguage();
    AfficherMarqueurs(true);
    m_lblEncodage->hide();
    m_lblTitle->setText(m_player.ShowTime());
    startClock();
}

frmRovuRodu::~frmRovuRodu() = default;

void frmRovuRodu::buildControls()
{
    for (int i = 0; i <= skins::kLastCommandButton; ++i) {
        auto *button = new skins::PictureButton(i, this);
        button->setGeometry(layout::picSM(i));
        connect(button, &skins::PictureButton::pressed, this, &frmRovuRodu::picSM_pressed);
        connect(button, &skins::PictureButton::released, this, &frmRovuRodu::picSM_released);
        m_picSM[static_cast<std::size_t>(i)] = button;
    }
    for (int i = 0; i <= engine::kTempoControl; ++i) {
        auto *control = new MixPicture(i, m_skins, this);
        if (i <= engine::kGainControl) {
            control->setGeometry(layout::fader(i));
        } else if (i == engine::kTransposeControl) {
            control->setGeometry(layout::transposeKnob());
        } else {
            control->setGeometry(layout::tempoReadout());
            control->setCursor(Qt::SizeVerCursor);
        }
        connect(control, &MixPicture::mouseDown, this, &frmRovuRodu::potardDown);
        connect(control, &MixPicture::mouseMove, this, &frmRovuRodu::potardMove);
        connect(control, &MixPicture::mouseUp, this, &frmRovuRodu::potardUp);
        connect(control, &MixPicture::wheelTurned, this,
                [this, i](int notches) { m_player.mixer().Potard_Wheel(i, notches); });
        m_potard[static_cast<std::size_t>(i)] = control;
    }
    for (int ch = 0; ch < layout::kChannels; ++ch) {
        auto *lamp = new skins::FramePicture(&m_skins, this);
        lamp->setGeometry(layout::activityLamp(ch));
        m_picJ[static_cast<std::size_t>(ch)] = lamp;
    }
    for (int side = 0; side < 2; ++side) {
        m_ledMeter[static_cast<std::size_t>(side)] = new skins::FramePicture(&m_skins, this);
        m_ledMeter[static_cast<std::size_t>(side)]->setGeometry(side == 0 ? layout::meterLeft()
                                                                          : layout::meterRight());
        m_scope[static_cast<std::size_t>(side)] = new ScopeBox(this);
        m_scope[static_cast<std::size_t>(side)]->setGeometry(side == 0 ? layout::scopeLeft()
                                                                       : layout::scopeRight());
    }
    m_ledMeter[0]->setObjectName(QStringLiteral("LedMeterL"));
    m_ledMeter[1]->setObjectName(QStringLiteral("LedMeterR"));
    m_scope[0]->setObjectName(QStringLiteral("scopeBoxL"));
    m_scope[1]->setObjectName(QStringLiteral("ScopeBoxR"));
    m_clipLed = new skins::FramePicture(&m_skins, this);
    m_clipLed->setObjectName(QStringLiteral("PicClipLed"));
    m_clipLed->setGeometry(layout::clipLamp());
    DrawScope();
    DrawClipLed();
    DrawVuMeters();
    DrawMeters();

    m_slider = new trackel::ucxSlider(this);
    m_slider->setObjectName(QStringLiteral("sldPosition"));
    m_slider->setOrientation(trackel::ucxSlider::Horizontal);
    m_slider->setGeometry(layout::positionSpan());
    m_slider->setMax(kSliderMax);
    // The tip would show the raw value; the time label shows the position.
    m_slider->setShowValueTip(false);
    m_slider->setBackcolor(QColor(skins::palette::kWindow));
    m_slider->setFocusPolicy(Qt::NoFocus);
    connect(m_slider, &trackel::ucxSlider::MouseDown, this, &frmRovuRodu::sldPosition_MouseDown);
    connect(m_slider, &trackel::ucxSlider::MouseUp, this, &frmRovuRodu::sldPosition_MouseUp);
    m_markerBar = new MarkerBar(this);
}

QLabel *frmRovuRodu::addLabel(const QString &name, const QRect &geometry, Qt::Alignment alignment)
{
    auto *label = new QLabel(this);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setAlignment(alignment);
    label->setFont(labelFont(11));
    return label;
}

void frmRovuRodu::buildLabels()
{
    using namespace layout;
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    const auto centre = Qt::AlignCenter;
    m_caption =
        addLabel(QStringLiteral("lblCaption"), captionRect(), Qt::AlignLeft | Qt::AlignVCenter);
    m_caption->setFont(labelFont(13, true));
    m_caption->setStyleSheet(QStringLiteral("color: #c9d1dd;"));
    const QString led = QStringLiteral("color: #35c4f0; background: transparent;");
    m_lblTitle =
        addLabel(QStringLiteral("lblTitle"), timeLabel(), Qt::AlignLeft | Qt::AlignVCenter);
    m_lblTitle->setFont(labelFont(22, true));
    m_lblTitle->setStyleSheet(led);
    m_lblEncodage =
        addLabel(QStringLiteral("lblEncodage"), timeLabel(), Qt::AlignLeft | Qt::AlignVCenter);
    m_lblEncodage->setFont(labelFont(15, true));
    m_lblEncodage->setStyleSheet(QStringLiteral("color: #ff4d5b; background: transparent;"));
    addLabel(QStringLiteral("Gauche"), meterLabelLeft(), centre);
    addLabel(QStringLiteral("Droite"), meterLabelRight(), centre);
    addLabel(QStringLiteral("lblTempo"), tempoLabel(), Qt::AlignLeft | Qt::AlignVCenter);
    addLabel(QStringLiteral("lblBPM"), bpmLabel(), Qt::AlignLeft | Qt::AlignVCenter);
    for (int i = 0; i < 3; ++i) {
        addLabel(QStringLiteral("LabelVol(%1)").arg(i), volumeLabel(i), right);
    }
    addLabel(QStringLiteral("LabelSolo"), soloLabel(), right);
    addLabel(QStringLiteral("LabelMuet"), muteLabel(), right);
    addLabel(QStringLiteral("lblGainTitle"), gainTitle(), centre);
    m_labelGain = addLabel(QStringLiteral("LabelGain"), gainLabel(), centre);
    m_labelTranspose = addLabel(QStringLiteral("LabelTranspose"), transposeLabel(), centre);
    m_labelTranspose->setStyleSheet(led);
    m_lblStatus =
        addLabel(QStringLiteral("lblStatus"), statusLine(), Qt::AlignLeft | Qt::AlignVCenter);
    m_lblStatus->setStyleSheet(QStringLiteral("color: #c9d1dd;"));
    for (int ch = 0; ch < kChannels; ++ch) {
        QLabel *number =
            addLabel(QStringLiteral("lblChannel(%1)").arg(ch), channelNumber(ch), centre);
        number->setText(QString::number(ch + 1));
        number->setFont(labelFont(10));
    }
}

QLabel *frmRovuRodu::label(const QString &name) const
{
    return findChild<QLabel *>(name, Qt::FindDirectChildrenOnly);
}

void frmRovuRodu::LoadLanguage()
{
    const QString file = m_host.languageFile();
    const auto text = [&file](const QString &key) {
        return ReadIni(QStringLiteral("Main"), key, file);
    };
    const QString caption = text(QStringLiteral("Caption"));
    showCaption(caption);
    for (int i = 0; i <= skins::kLastCommandButton; ++i) {
        m_picSM[static_cast<std::size_t>(i)]->setToolTip(text(picSMTipKey(i)));
    }
    m_clipLed->setToolTip(text(QStringLiteral("ClipLed")));
    m_slider->setToolTip(text(QStringLiteral("Position")));
    // The tempo read-out is a control too: its tip says how it changes.
    const QString tempoTip = text(QStringLiteral("TempoTip"));
    potard(engine::kTempoControl)->setToolTip(tempoTip);
    label(QStringLiteral("lblTempo"))->setToolTip(tempoTip);
    const std::pair<const char *, const char *> captions[] = {
        {"lblBPM", "BPM"},         {"lblTempo", "Tempo"},       {"LabelVol(0)", "Vol(0)"},
        {"LabelVol(1)", "Vol(1)"}, {"LabelVol(2)", "Vol(2)"},   {"LabelMuet", "Muet"},
        {"LabelSolo", "Solo"},     {"lblEncodage", "Encodage"}, {"Droite", "Droite"},
        {"Gauche", "Gauche"},      {"lblGainTitle", "Gain"},
    };
    for (const auto &[name, key] : captions) {
        if (QLabel *target = label(QString::fromLatin1(name))) {
            target->setText(text(QString::fromLatin1(key)));
        }
    }
    // The mixer's tips and the marker tips come from this file too.
    showMixer();
    AfficherMarqueurs(false);
}

void frmRovuRodu::showCaption(const QString &caption)
{
    setWindowTitle(caption);
    // The title bar shows what fits; the whole caption is in its tip.
    m_caption->setText(
        m_caption->fontMetrics().elidedText(caption, Qt::ElideRight, m_caption->width()));
    m_caption->setToolTip(caption);
}

void frmRovuRodu::DrawSM(int button, int state)
{
    if (button < 0 || button > skins::kLastCommandButton) {
        return;
    }
    m_buttonStates[static_cast<std::size_t>(button)] = state;
    if (const auto frame = skins::mainButtonFrame(button, state)) {
        m_picSM[static_cast<std::size_t>(button)]->setPicture(skins::framePixmap(m_skins, *frame));
    }
}

void frmRovuRodu::DispMiscButtons()
{
    for (int i = skins::kFirstCommandButton; i <= skins::kLastCommandButton; ++i) {
        DrawSM(i, 0);
    }
}

skins::PictureButton *frmRovuRodu::picSM(int index) const
{
    if (index < 0 || index > skins::kLastCommandButton) {
        return nullptr;
    }
    return m_picSM[static_cast<std::size_t>(index)];
}

int frmRovuRodu::buttonState(int index) const
{
    if (index < 0 || index > skins::kLastCommandButton) {
        return -1;
    }
    return m_buttonStates[static_cast<std::size_t>(index)];
}

MixPicture *frmRovuRodu::potard(int index) const
{
    if (index < 0 || index > engine::kTempoControl) {
        return nullptr;
    }
    return m_potard[static_cast<std::size_t>(index)];
}

skins::FramePicture *frmRovuRodu::picJ(int channel) const
{
    if (channel < 0 || channel >= layout::kChannels) {
        return nullptr;
    }
    return m_picJ[static_cast<std::size_t>(channel)];
}

void frmRovuRodu::paintEvent(QPaintEvent *)
{
    using namespace skins::palette;
    QPainter painter(this);
    painter.fillRect(rect(), QColor(kWindow));
    painter.fillRect(layout::titleBar(), QColor(kPanel));
    painter.setPen(QColor(kOutline));
    painter.drawLine(0, layout::titleBar().bottom(), width(), layout::titleBar().bottom());
    const auto panel = [&painter](const QRect &r, QRgb fill) {
        painter.setPen(QColor(kOutline));
        painter.setBrush(QColor(fill));
        painter.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
        painter.setPen(QColor(kEdgeLight));
        painter.drawLine(r.left() + 4, r.top() + 1, r.right() - 4, r.top() + 1);
    };
    painter.setRenderHint(QPainter::Antialiasing);
    panel(layout::displayPanel(), kDisplay);
    panel(layout::mixerPanel(), kPanel);
    painter.setRenderHint(QPainter::Antialiasing, false);
    // A line between the channel strips and the gain strip.
    const int split = layout::fader(15).right() + 10;
    painter.setPen(QColor(kTrack));
    painter.drawLine(split, layout::mixerPanel().top() + 8, split,
                     layout::mixerPanel().bottom() - 8);
    // The outer edge of the frameless window.
    painter.setPen(QColor(kEdgeLight));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

// The window system moves the window where it can (a Wayland compositor
// ignores a window's own moves; an X11 window manager honours both); the
// secondary windows follow from the moves it reports (moveEvent). Otherwise
// the window moves itself with the pointer, except where it cannot be placed
// at all: a pretended move there would only store a position nobody sees.
void frmRovuRodu::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        return;
    }
    m_dragOffset.reset();
    if (QWindow *window = windowHandle(); window != nullptr && window->startSystemMove()) {
        return;
    }
    if (!QGuiApplication::platformName().startsWith(QLatin1StringView("wayland"))) {
        m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
    }
}

void frmRovuRodu::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragOffset && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - *m_dragOffset);
    }
}

void frmRovuRodu::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragOffset.reset();
    }
}

void frmRovuRodu::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    m_host.mainWindowMoved();
}

} // namespace melorit::mainwin
