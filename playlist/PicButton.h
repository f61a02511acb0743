#pragma once

#include <QPixmap>
#include <QWidget>

namespace melorit::playlist {

// A picture button of a skin: it shows the picture it is given and reports
// presses and releases; the window decides which picture to show (DrawSM)
// and what a release runs. UI thread.
class PicButton : public QWidget {
    Q_OBJECT
public:
    PicButton(int index, QWidget *parent = nullptr);

    int index() const { return m_index; }
    void setPicture(const QPixmap &picture);
    const QPixmap &picture() const { return m_picture; }

    QSize sizeHint() const override;

    // True when a point of the button's own coordinates counts as inside it:
    // 0 <= x <= width and 0 <= y <= height.
    bool isInside(QPoint at) const;

Q_SIGNALS:
    void pressed(int index);
    // The button was released, with the pointer inside it or not.
    void released(int index, bool inside, Qt::KeyboardModifiers modifiers);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int m_index;
    QPixmap m_picture;
};

} // namespace melorit::playlist
