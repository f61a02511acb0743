#pragma once

#include <QString>

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

namespace melorit::cli {

// A song being converted, as the status line shows it.
struct ProgressSlot {
    QString name;
    int permille = 0; // 0 to 1000
};

// The status line of the songs being converted: each its name and a bar,
// side by side, cut to fit in width columns (names are shortened first).
QString progressLine(const std::vector<ProgressSlot> &slots, int width);

// What the conversion of songs shows while it runs. On a terminal, a status
// line with a bar per song being converted, redrawn in place, and every
// finished file printed above it; elsewhere only one line per finished file.
// Jobs report from their threads; the main thread draws.
class ConvertProgress {
public:
    ConvertProgress(int jobs, bool terminal, int width);

    // Job threads.
    void started(int job, const QString &song);
    void advanced(int job, double fraction);
    void finished(int job);
    // A line for standard output, or an error ("melorit-cli: " + text) for
    // standard error, printed by the next draw.
    void line(const QString &text);
    void error(const QString &text);

    // Main thread: prints the waiting lines, then the status line.
    void draw();
    // Main thread: prints the waiting lines and removes the status line.
    void finish();

    // Whether standard output is a terminal, and its width in columns.
    static bool outputIsTerminal();
    static int terminalWidth();

private:
    struct Pending {
        bool isError = false;
        QString text;
    };
    void flushPending(std::vector<Pending> &pending);
    void clearStatus();

    bool m_terminal;
    int m_width;
    std::mutex m_mutex; // names, active flags and pending lines
    std::vector<QString> m_names;
    std::vector<bool> m_active;
    std::unique_ptr<std::atomic<int>[]> m_permille;
    std::vector<Pending> m_pending;
    bool m_statusShown = false;
};

} // namespace melorit::cli
