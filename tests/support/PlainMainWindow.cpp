#include "tests/support/PlainMainWindow.h"

#include "base/Language.h"

#include <QCloseEvent>

namespace melorit::program {

namespace {
constexpr int kFirstCommandButton = 32;
constexpr int kLastCommandButton = 50;
} // namespace

PlainMainWindow::PlainMainWindow(mainwin::MainWindowHost &host, QWidget *parent)
    : QWidget(parent), m_host(host)
{
    resize(480, 160);
    LoadLanguage();
}

void PlainMainWindow::LoadLanguage()
{
    setWindowTitle(
        languageText(m_host.languageFile(), QStringLiteral("Main"), QStringLiteral("Caption")));
}

void PlainMainWindow::DrawSM(int button, int state)
{
    m_states[button] = state;
    ++m_draws[button];
}

void PlainMainWindow::DispMiscButtons()
{
    for (int button = kFirstCommandButton; button <= kLastCommandButton; ++button) {
        DrawSM(button, 0);
    }
}

int PlainMainWindow::buttonState(int button) const
{
    const auto it = m_states.find(button);
    return it == m_states.end() ? -1 : it->second;
}

int PlainMainWindow::drawCount(int button) const
{
    const auto it = m_draws.find(button);
    return it == m_draws.end() ? 0 : it->second;
}

void PlainMainWindow::captionChanged(const QString &caption)
{
    setWindowTitle(caption);
}

void PlainMainWindow::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    m_host.mainWindowMoved();
}

void PlainMainWindow::closeEvent(QCloseEvent *event)
{
    if (m_host.closingDown()) {
        event->accept();
        return;
    }
    event->ignore();
    m_host.QuitProgram();
}

} // namespace melorit::program
