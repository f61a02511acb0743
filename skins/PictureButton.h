#pragma once

#include <QPixmap>
#include <QWidget>

namespace melorit::skins {

// A picture button of a skinned window (`PicSM`): it shows the picture its
// window draws into it (DrawSM) and reports presses and releases with the
// mouse button, so the window can tell a click over the button from a
// release elsewhere. One mouse button at a time: a second button pressed
// during a click is ignored. UI thread.
class PictureButton : public QWidget {
    Q_OBJECT
public:
    PictureButton(int index, QWidget *parent = nullptr);

    int index() const { return m_index; }
    void setPicture(const QPixmap &picture);
    const QPixmap &picture() const { return m_picture; }
    // Drawn faded while its command is refused; it still reports presses,
    // so the window can say why nothing happens.
    void setDimmed(bool dimmed);
    bool dimmed() const { return m_dimmed; }

    // True when a point of the button's own coordinates counts as inside it:
    // 0 <= x <= width and 0 <= y <= height.
    bool isInside(QPoint at) const;

Q_SIGNALS:
    void pressed(int index, Qt::MouseButton button);
    // The release of the button that pressed it, inside the picture or not.
    void released(int index, Qt::MouseButton button, bool inside, Qt::KeyboardModifiers modifiers);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int m_index;
    QPixmap m_picture;
    bool m_dimmed = false;
    Qt::MouseButton m_down = Qt::NoButton;
};

} // namespace melorit::skins
