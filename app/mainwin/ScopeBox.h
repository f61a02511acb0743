#pragma once

#include <QPointF>
#include <QWidget>

#include <vector>

namespace melorit::mainwin {

// One box of the oscilloscope (`scopeBoxL`, `ScopeBoxR`): a trace with x
// 0..1 across the box and y -1..1 (0 on the centre line). Mouse events go
// to the window, which is dragged by any point. UI thread.
class ScopeBox : public QWidget {
public:
    explicit ScopeBox(QWidget *parent);

    void setTrace(std::vector<QPointF> trace);
    const std::vector<QPointF> &trace() const { return m_trace; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::vector<QPointF> m_trace;
};

} // namespace melorit::mainwin
