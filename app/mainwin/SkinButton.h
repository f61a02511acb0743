#pragma once

#include <QPixmap>
#include <QWidget>

namespace melorit::mainwin {

// One `PicSM` picture of the main window: it shows the picture the window
// draws into it (DrawSM) and reports presses and releases with the mouse
// button, so the window can tell a click over the button from a release
// elsewhere. UI thread.
class SkinButton : public QWidget {
    Q_OBJECT
public:
    SkinButton(int index, QWidget *parent);

    int index() const { return m_index; }
    void setPicture(const QPixmap &picture);
    const QPixmap &picture() const { return m_picture; }

Q_SIGNALS:
    void pressed(int index, Qt::MouseButton button);
    // The release of the button that pressed it, inside the picture or not.
    void released(int index, Qt::MouseButton button, bool inside);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int m_index;
    QPixmap m_picture;
    Qt::MouseButton m_down = Qt::NoButton;
};

} // namespace melorit::mainwin
