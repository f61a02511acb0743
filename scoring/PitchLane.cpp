#include "scoring/PitchLane.h"

#include "scoring/LaneLayout.h"
#include "scoring/LiveScoring.h"

#include <QPainter>
#include <QPainterPath>

namespace melorit::scoring {
namespace {

const QColor kBackground(16, 22, 36);
const QColor kGuide(40, 52, 76);
const QColor kNowLine(235, 235, 245);
const QColor kText(225, 230, 240);
const QColor kAhead(96, 118, 160);
const QColor kCurrent(170, 196, 255);
const QColor kGood(72, 200, 110);
const QColor kFair(236, 196, 64);
const QColor kPoor(226, 88, 72);
const QColor kUnsung(70, 76, 90);
const QColor kTrailHit(120, 255, 150);
const QColor kTrailMiss(255, 150, 60);

QColor colourOf(NoteShade shade)
{
    switch (shade) {
    case NoteShade::Ahead:
        return kAhead;
    case NoteShade::Current:
        return kCurrent;
    case NoteShade::Good:
        return kGood;
    case NoteShade::Fair:
        return kFair;
    case NoteShade::Poor:
        return kPoor;
    case NoteShade::Unsung:
        break;
    }
    return kUnsung;
}

QString filled(const QString &templ, int value)
{
    QString text = templ;
    return text.replace(QStringLiteral("%1"), QString::number(value));
}

} // namespace

PitchLane::PitchLane(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(sizeHint().height());
}

void PitchLane::setTexts(const LaneTexts &texts)
{
    m_texts = texts;
    update();
}

void PitchLane::showSession(const LiveScoring *session, int latencyMs)
{
    m_session = session;
    m_latencyMs = latencyMs;
    m_message.clear();
    m_finished = false;
    m_resultScore.reset();
    m_best.reset();
    update();
}

void PitchLane::showMessage(const QString &text)
{
    clear();
    m_message = text;
    update();
}

void PitchLane::showResult(std::optional<int> score, std::optional<int> best)
{
    m_finished = true;
    m_resultScore = score;
    m_best = best;
    update();
}

void PitchLane::clear()
{
    m_session = nullptr;
    m_message.clear();
    m_finished = false;
    m_resultScore.reset();
    m_best.reset();
    update();
}

void PitchLane::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), kBackground);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!m_message.isEmpty()) {
        painter.setPen(kText);
        painter.drawText(rect().adjusted(12, 0, -12, 0), Qt::AlignCenter | Qt::TextWordWrap,
                         m_message);
        return;
    }
    if (!m_session) {
        return;
    }
    const MelodyTarget &target = m_session->target();
    const LaneLayout layout(target, m_session->card().transpose(),
                            target.secondsAt(m_session->heardTick()), width(), height());
    drawNotes(painter, layout);
    drawTrail(painter, layout);
    painter.setPen(QPen(kNowLine, 2));
    const double nowX = layout.x(layout.nowSeconds());
    painter.drawLine(QPointF(nowX, 0), QPointF(nowX, height()));
    drawScores(painter);
    if (m_finished) {
        drawResult(painter);
    }
}

void PitchLane::drawNotes(QPainter &painter, const LaneLayout &layout) const
{
    const ScoreCard &card = m_session->card();
    const MelodyTarget &target = card.target();
    const double barHeight = layout.keyHeight();
    const double now = m_session->heardTick();
    painter.setPen(Qt::NoPen);
    const double from =
        target.tickAt(std::max(0.0, layout.nowSeconds() - LaneLayout::kPastSeconds));
    for (int i = target.firstNoteEndingAfter(from); i < static_cast<int>(target.notes().size());
         ++i) {
        const TargetNote &n = target.notes()[static_cast<std::size_t>(i)];
        const double start = target.secondsAt(n.startTick);
        const double end = target.secondsAt(n.endTick);
        if (!layout.visible(start, end)) {
            break;
        }
        const double key = n.key + card.transpose();
        const QRectF bar(QPointF(layout.x(start), layout.y(key) - barHeight / 2),
                         QPointF(layout.x(end) - 1, layout.y(key) + barHeight / 2));
        painter.setBrush(colourOf(LaneLayout::shade(card, i, now, m_session->scoredTick())));
        painter.drawRoundedRect(bar, barHeight / 3, barHeight / 3);
    }
}

void PitchLane::drawTrail(QPainter &painter, const LaneLayout &layout) const
{
    const MelodyTarget &target = m_session->target();
    const int transpose = m_session->card().transpose();
    double reference = target.notes().empty() ? 60.0 : target.notes().front().key + transpose;
    painter.setPen(Qt::NoPen);
    for (const TrailPoint &p : m_session->trail()) {
        const int note = target.noteAt(p.tick);
        if (note >= 0) {
            reference = target.notes()[static_cast<std::size_t>(note)].key + transpose;
        }
        const double seconds = target.secondsAt(p.tick);
        if (!p.voiced || !layout.visible(seconds, seconds)) {
            continue;
        }
        painter.setBrush(p.hit ? kTrailHit : kTrailMiss);
        const double y = layout.y(LaneLayout::foldedKey(p.key, reference));
        painter.drawEllipse(QPointF(layout.x(seconds), y), 2.5, 2.5);
    }
}

void PitchLane::drawScores(QPainter &painter) const
{
    const ScoreCard &card = m_session->card();
    const MelodyTarget &target = card.target();
    const double now = m_session->heardTick();
    QString left = filled(m_texts.listening, m_latencyMs);
    // The last line whose notes are all behind.
    for (int line = static_cast<int>(target.lines().size()); line >= 1; --line) {
        const TargetLine &l = target.lines()[static_cast<std::size_t>(line - 1)];
        if (l.noteCount == 0) {
            continue;
        }
        const TargetNote &last =
            target.notes()[static_cast<std::size_t>(l.firstNote + l.noteCount - 1)];
        if (last.endTick <= now) {
            if (const std::optional<int> score = card.lineScore(line)) {
                left = filled(m_texts.line, *score);
            }
            break;
        }
    }
    painter.setPen(kText);
    const QRect box = rect().adjusted(8, 4, -8, -4);
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, left);
    if (const std::optional<int> song = card.songScore(); song && !m_finished) {
        painter.drawText(box, Qt::AlignRight | Qt::AlignTop, filled(m_texts.song, *song));
    }
}

void PitchLane::drawResult(QPainter &painter) const
{
    QString text = m_resultScore ? filled(m_texts.song, *m_resultScore) : QString();
    if (m_best) {
        text +=
            (text.isEmpty() ? QString() : QStringLiteral("    ")) + filled(m_texts.best, *m_best);
    }
    if (text.isEmpty()) {
        return;
    }
    QFont big = font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    painter.setFont(big);
    const QRectF box =
        QRectF(rect()).adjusted(width() / 5.0, height() / 5.0, -width() / 5.0, -height() / 5.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 190));
    painter.drawRoundedRect(box, 10, 10);
    painter.setPen(kText);
    painter.drawText(box, Qt::AlignCenter, text);
}

} // namespace melorit::scoring
