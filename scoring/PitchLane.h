#pragma once

#include <QString>
#include <QWidget>

#include <optional>

namespace melorit::scoring {

class LaneLayout;
class LiveScoring;

// Texts of the lane, from the language file ("%1" = the number).
struct LaneTexts {
    QString song = QStringLiteral("Score: %1");
    QString best = QStringLiteral("Best: %1");
    QString line = QStringLiteral("Line: %1");
    QString listening = QStringLiteral("Scoring your singing (latency %1 ms)");
};

// The pitch lane under the lyrics: the melody's notes as bars moving with
// the song past a "now" line, the singer's pitch as a trail (green where it
// hits the note, orange where it misses), each sung note coloured by its
// score, the last line's score and the song's so far; at the song's end its
// score and the best one. Draws what a LiveScoring holds; a view only. UI
// thread.
class PitchLane : public QWidget {
    Q_OBJECT
public:
    explicit PitchLane(QWidget *parent = nullptr);

    void setTexts(const LaneTexts &texts);
    // Draws a session (kept alive by its owner until the next show or clear).
    void showSession(const LiveScoring *session, int latencyMs);
    // Why the song cannot be scored, instead of notes.
    void showMessage(const QString &text);
    // The song's end: its score and the best, over its last notes.
    void showResult(std::optional<int> score, std::optional<int> best);
    void clear();

    const QString &message() const { return m_message; }
    std::optional<int> resultScore() const { return m_resultScore; }
    QSize sizeHint() const override { return {640, 110}; }
    QSize minimumSizeHint() const override { return {120, 60}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void drawNotes(QPainter &painter, const LaneLayout &layout) const;
    void drawTrail(QPainter &painter, const LaneLayout &layout) const;
    void drawScores(QPainter &painter) const;
    void drawResult(QPainter &painter) const;

    LaneTexts m_texts;
    const LiveScoring *m_session = nullptr;
    int m_latencyMs = 0;
    QString m_message;
    bool m_finished = false;
    std::optional<int> m_resultScore;
    std::optional<int> m_best;
};

} // namespace melorit::scoring
