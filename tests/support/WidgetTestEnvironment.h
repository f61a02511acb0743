#pragma once

// The application object widget tests need, for the whole test run. The
// offscreen platform is the default; its warnings about window operations it
// cannot carry out (raising a window, size hints) say nothing about the code
// under test and are dropped. Header only: the support library has no Qt.

#include <QApplication>
#include <QString>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace melorit::testing {

class WidgetTestEnvironment : public ::testing::Environment {
public:
    explicit WidgetTestEnvironment(const char *programName) : m_name(programName) {}

    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        s_standardHandler() = qInstallMessageHandler(quietPlatformWarnings);
        m_argv[0] = m_name.data();
        m_app = std::make_unique<QApplication>(m_argc, m_argv);
    }

    void TearDown() override
    {
        m_app.reset();
        qInstallMessageHandler(s_standardHandler());
    }

private:
    static QtMessageHandler &s_standardHandler()
    {
        static QtMessageHandler handler = nullptr;
        return handler;
    }

    static void quietPlatformWarnings(QtMsgType type, const QMessageLogContext &context,
                                      const QString &text)
    {
        if (type == QtWarningMsg && text.startsWith(u"This plugin does not support")) {
            return;
        }
        if (s_standardHandler() != nullptr) {
            s_standardHandler()(type, context, text);
        }
    }

    std::string m_name;
    int m_argc = 1;
    char *m_argv[2] = {nullptr, nullptr};
    std::unique_ptr<QApplication> m_app;
};

// Registers the environment from a namespace-scope initialiser.
inline const ::testing::Environment *addWidgetTestEnvironment(const char *programName)
{
    return ::testing::AddGlobalTestEnvironment(new WidgetTestEnvironment(programName));
}

// For tests that run the whole program: SDL's silent driver (no sound card
// here; a test may name another driver itself), and the application stays
// when its last window closes, since the program's windows come and go
// between tests.
class ProgramTestEnvironment : public WidgetTestEnvironment {
public:
    using WidgetTestEnvironment::WidgetTestEnvironment;

    void SetUp() override
    {
        qputenv("SDL_AUDIODRIVER", "dummy");
        WidgetTestEnvironment::SetUp();
        QApplication::setQuitOnLastWindowClosed(false);
    }
};

inline const ::testing::Environment *addProgramTestEnvironment(const char *programName)
{
    return ::testing::AddGlobalTestEnvironment(new ProgramTestEnvironment(programName));
}

} // namespace melorit::testing
