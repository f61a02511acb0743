#include "tools/frmAbout.h"

#include "base/UserMessages.h"
#include "skins/SkinPalette.h"
#include "skins/WindowPalette.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace melorit::tools {
namespace {

constexpr int kIconSize = 72;
constexpr int kBoxWidth = 520;
constexpr int kTitlePointSize = 20;

void setTextColour(QLabel *label, QRgb colour)
{
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, QColor(colour));
    label->setPalette(p);
}

QLabel *wrappedLabel(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QWidget *separator(QWidget *parent)
{
    auto *line = new QWidget(parent);
    line->setFixedHeight(1);
    line->setAutoFillBackground(true);
    QPalette p = line->palette();
    p.setColor(QPalette::Window, QColor(skins::palette::kTrack));
    line->setPalette(p);
    return line;
}

QPushButton *button(QWidget *parent)
{
    auto *b = new QPushButton(parent);
    b->setMinimumSize(96, 28);
    return b;
}

// The SysInfo caption without the dots that say it opens a window.
QString withoutEllipsis(QString caption)
{
    while (caption.endsWith(u'.') || caption.endsWith(u'\u2026')) {
        caption.chop(1);
    }
    return caption.trimmed();
}

} // namespace

QPixmap programIcon(int size)
{
    using namespace skins::palette;
    QPixmap icon(size, size);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box(1, 1, size - 2, size - 2);
    QLinearGradient face(box.topLeft(), box.bottomLeft());
    face.setColorAt(0, QColor(kRaisedTop));
    face.setColorAt(1, QColor(kRaisedBottom));
    painter.setPen(QPen(QColor(kOutline), 1.5));
    painter.setBrush(face);
    painter.drawRoundedRect(box, size * 0.18, size * 0.18);
    // The ring of a knob, lit along most of its travel.
    const qreal inset = size * 0.17;
    const QRectF ring = box.adjusted(inset, inset, -inset, -inset);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(kTrack), size * 0.07, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(ring, 225 * 16, -270 * 16);
    painter.setPen(QPen(QColor(kSong), size * 0.07, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(ring, 225 * 16, -200 * 16);
    // A quaver in the middle.
    const qreal unit = size / 72.0;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(kIcon));
    painter.drawEllipse(QPointF(31 * unit, 46 * unit), 7 * unit, 5.5 * unit);
    painter.drawRect(QRectF(36 * unit, 22 * unit, 2.6 * unit, 24 * unit));
    QPainterPath flag;
    flag.moveTo(38.6 * unit, 22 * unit);
    flag.cubicTo(40 * unit, 29 * unit, 48 * unit, 29 * unit, 45 * unit, 38 * unit);
    flag.cubicTo(46 * unit, 31 * unit, 41 * unit, 30 * unit, 38.6 * unit, 29 * unit);
    flag.closeSubpath();
    painter.drawPath(flag);
    return icon;
}

frmAbout::frmAbout(std::function<QString()> languageFile, QWidget *parent)
    : QDialog(parent), m_languageFile(std::move(languageFile))
{
    setPalette(skins::windowPalette());
    buildWindow();
    LoadLanguage();
}

void frmAbout::buildWindow()
{
    m_icon = new QLabel(this);
    m_icon->setPixmap(programIcon(kIconSize));
    m_icon->setFixedSize(kIconSize, kIconSize);
    m_title = new QLabel(this);
    QFont titleFont = m_title->font();
    titleFont.setPointSize(kTitlePointSize);
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    setTextColour(m_title, skins::palette::kSong);
    m_version = new QLabel(this);
    setTextColour(m_version, skins::palette::kIconDim);
    m_description = wrappedLabel(this);
    setTextColour(m_description, skins::palette::kIcon);
    m_disclaimer = wrappedLabel(this);
    QFont small = m_disclaimer->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    m_disclaimer->setFont(small);
    setTextColour(m_disclaimer, skins::palette::kIconDim);

    m_copyright = button(this);
    m_sysInfo = button(this);
    m_ok = button(this);
    m_ok->setDefault(true);
    connect(m_copyright, &QPushButton::clicked, this, &frmAbout::btn_copyright_Click);
    connect(m_sysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
    connect(m_ok, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    auto *heading = new QVBoxLayout;
    heading->setSpacing(4);
    heading->addWidget(m_title);
    heading->addWidget(m_version);
    heading->addSpacing(8);
    heading->addWidget(m_description);
    auto *top = new QHBoxLayout;
    top->setSpacing(18);
    top->addWidget(m_icon, 0, Qt::AlignTop);
    top->addLayout(heading, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_copyright);
    buttons->addStretch();
    buttons->addWidget(m_sysInfo);
    buttons->addWidget(m_ok);
    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(20, 20, 20, 16);
    box->setSpacing(14);
    box->addLayout(top);
    box->addWidget(separator(this));
    box->addWidget(m_disclaimer);
    box->addStretch();
    box->addLayout(buttons);
    setFixedWidth(kBoxWidth);
}

void frmAbout::LoadLanguage()
{
    m_texts = loadAboutTexts(m_languageFile(), programVersion());
    setWindowTitle(m_texts.caption);
    m_version->setText(m_texts.version);
    m_title->setText(m_texts.title);
    m_description->setText(m_texts.description);
    m_copyright->setText(m_texts.copyright);
    m_ok->setText(m_texts.ok);
    m_sysInfo->setText(m_texts.sysInfo);
    m_disclaimer->setText(m_texts.disclaimer);
    adjustSize();
}

void frmAbout::btn_copyright_Click()
{
    m_texts.creditsInfo =
        creditsText(m_texts.creditsInfo, creditsLines(programVersion(), componentVersions()));
    showMessage(m_texts.creditsInfo, m_texts.creditsTitle, MessageIcon::Information);
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

void frmAbout::StartSysInfo()
{
    if (m_report) {
        m_report->raise();
        m_report->activateWindow();
        return;
    }
    auto *report = new QDialog(this);
    report->setAttribute(Qt::WA_DeleteOnClose);
    report->setWindowTitle(withoutEllipsis(m_texts.sysInfo));
    auto *view = new QPlainTextEdit(report);
    view->setReadOnly(true);
    view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    SystemFacts facts = collectSystemFacts();
    if (m_loadedFont) {
        facts.soundFont = m_loadedFont();
    }
    view->setPlainText(systemReportText(facts));
    view->setMinimumSize(560, 340);
    auto *close = new QPushButton(m_texts.ok, report);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, report, &QDialog::accept);
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(close);
    auto *box = new QVBoxLayout(report);
    box->addWidget(view);
    box->addLayout(row);
    m_report = report;
    report->show();
}

void frmAbout::cmdOK_Click()
{
    accept();
}

} // namespace melorit::tools
