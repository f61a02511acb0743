#pragma once

#include "WindowTestSupport.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// Shared by the export dialog tests: a program folder with the shipped
// language files, the song's settings file, and answers to modal windows.
namespace melorit::exporting::test {

class ExportDialogFixture : public ::testing::Test {
protected:
    QString config() const { return m_folder.file(QStringLiteral("Melorit.ini")); }
    QString mst() const { return m_folder.file(QStringLiteral("Chanson d\u00e9j\u00e0.mst")); }
    QString french() const { return m_folder.french(); }
    QString english() const { return m_folder.english(); }
    void setWave(const QString &key, const QString &value) const;
    void setLyrics(const QString &key, const QString &value) const;
    void setTag(const QString &key, const QString &value) const;
    QString wave(const QString &key) const;
    QString lyrics(const QString &key) const;
    QString tag(const QString &key) const;

    windows::test::ProgramFolder m_folder;
};

// Runs `answer` on the next modal window of type T once it is open (the
// caller then opens it, usually through exec()). A window that does not
// open within a few seconds fails the test and closes the modal in the way.
template <class T> void whenModal(std::function<void(T *)> answer)
{
    auto *poll = new QTimer;
    auto waited = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll, waited, answer = std::move(answer)] {
        if (auto *window = qobject_cast<T *>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            answer(window);
            return;
        }
        if (++*waited > 500) {
            poll->stop();
            poll->deleteLater();
            ADD_FAILURE() << "the expected window did not open";
            if (QWidget *other = QApplication::activeModalWidget()) {
                other->close();
            }
        }
    });
    poll->start(10);
}

// Closes the modal window in the way if it is still open after a few
// seconds, so that a dialog that fails to close itself ends the test.
class ModalGuard {
public:
    ModalGuard()
    {
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, [] {
            if (QWidget *window = QApplication::activeModalWidget()) {
                window->close();
            }
        });
        m_timer.start(3000);
    }

private:
    QTimer m_timer;
};

} // namespace melorit::exporting::test
