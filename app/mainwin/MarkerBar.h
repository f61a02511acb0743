#pragma once

#include <QRect>
#include <QWidget>

#include <optional>

namespace melorit::mainwin {

// The start and end markers drawn on the position bar while they are on: a
// green tick where the song starts, a red one where it ends and a band
// between them under the rail. It lies over the slider and lets every mouse
// event through to it. UI thread.
class MarkerBar : public QWidget {
public:
    explicit MarkerBar(QWidget *parent);

    // The rail in this widget's coordinates and where the markers lie on it,
    // 0..1 of the song; no start is the song's start, no end its end. Hidden
    // when neither is given.
    void setMarks(QRect rail, std::optional<double> start, std::optional<double> end);
    std::optional<int> startX() const;
    std::optional<int> endX() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int xOf(double fraction) const;

    QRect m_rail;
    std::optional<double> m_start;
    std::optional<double> m_end;
};

} // namespace melorit::mainwin
