#include "cli/ConvertProgress.h"

#include "cli/Console.h"

#include <QFileInfo>

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace melorit::cli {

namespace {

constexpr int kMinBar = 5;
constexpr int kMaxBar = 20;
constexpr const char *kClearLine = "\r\033[K";

QString bar(int permille, int width)
{
    const int filled = std::clamp(permille, 0, 1000) * width / 1000;
    return u'[' + QString(filled, u'#') + QString(width - filled, u'-') + u']';
}

QString elided(const QString &name, int width)
{
    if (name.size() <= width) {
        return name;
    }
    if (width <= 3) {
        return name.left(width);
    }
    return name.left(width - 3) + QStringLiteral("...");
}

} // namespace

QString progressLine(const std::vector<ProgressSlot> &slots, int width)
{
    if (slots.empty() || width <= 0) {
        return {};
    }
    const auto count = static_cast<int>(slots.size());
    // Each slot: "name [bar] 100%", two spaces between slots.
    const int slotWidth = (width - 2 * (count - 1)) / count;
    QStringList parts;
    for (const ProgressSlot &slot : slots) {
        const QString percent =
            QStringLiteral("%1%").arg(std::clamp(slot.permille, 0, 1000) / 10, 3);
        const int barWidth = std::clamp(slotWidth / 3, kMinBar, kMaxBar);
        const int nameWidth = slotWidth - static_cast<int>(percent.size()) - barWidth - 4;
        QString part = bar(slot.permille, barWidth) + u' ' + percent;
        if (nameWidth >= 4) {
            part.prepend(elided(slot.name, nameWidth) + u' ');
        }
        parts << part;
    }
    return parts.join(QStringLiteral("  ")).left(width);
}

ConvertProgress::ConvertProgress(int jobs, bool terminal, int width)
    : m_terminal(terminal), m_width(width), m_names(static_cast<std::size_t>(jobs)),
      m_active(static_cast<std::size_t>(jobs), false),
      m_permille(std::make_unique<std::atomic<int>[]>(static_cast<std::size_t>(jobs)))
{
}

void ConvertProgress::started(int job, const QString &song)
{
    m_permille[static_cast<std::size_t>(job)].store(0, std::memory_order_relaxed);
    std::lock_guard lock(m_mutex);
    m_names[static_cast<std::size_t>(job)] = QFileInfo(song).fileName();
    m_active[static_cast<std::size_t>(job)] = true;
}

void ConvertProgress::advanced(int job, double fraction)
{
    const int permille = static_cast<int>(std::clamp(fraction, 0.0, 1.0) * 1000);
    m_permille[static_cast<std::size_t>(job)].store(permille, std::memory_order_relaxed);
}

void ConvertProgress::finished(int job)
{
    std::lock_guard lock(m_mutex);
    m_active[static_cast<std::size_t>(job)] = false;
}

void ConvertProgress::line(const QString &text)
{
    std::lock_guard lock(m_mutex);
    m_pending.push_back({false, text});
}

void ConvertProgress::error(const QString &text)
{
    std::lock_guard lock(m_mutex);
    m_pending.push_back({true, text});
}

void ConvertProgress::clearStatus()
{
    if (!m_statusShown) {
        return;
    }
    std::fputs(kClearLine, stdout);
    m_statusShown = false;
}

void ConvertProgress::flushPending(std::vector<Pending> &pending)
{
    if (pending.empty()) {
        return;
    }
    clearStatus();
    for (const Pending &p : pending) {
        if (p.isError) {
            std::fflush(stdout);
            reportError(p.text);
        } else {
            printLine(p.text);
        }
    }
    std::fflush(stdout);
}

void ConvertProgress::draw()
{
    std::vector<Pending> pending;
    std::vector<ProgressSlot> slots;
    {
        std::lock_guard lock(m_mutex);
        pending.swap(m_pending);
        for (std::size_t i = 0; i < m_names.size(); ++i) {
            if (m_active[i]) {
                slots.push_back({m_names[i], m_permille[i].load(std::memory_order_relaxed)});
            }
        }
    }
    flushPending(pending);
    if (!m_terminal) {
        return;
    }
    // One column is left free so the line never wraps.
    const QString status = progressLine(slots, m_width - 1);
    std::fputs(kClearLine, stdout);
    std::fputs(status.toUtf8().constData(), stdout);
    std::fflush(stdout);
    m_statusShown = !status.isEmpty();
}

void ConvertProgress::finish()
{
    std::vector<Pending> pending;
    {
        std::lock_guard lock(m_mutex);
        pending.swap(m_pending);
    }
    flushPending(pending);
    clearStatus();
    std::fflush(stdout);
}

bool ConvertProgress::outputIsTerminal()
{
    return ::isatty(STDOUT_FILENO) == 1;
}

int ConvertProgress::terminalWidth()
{
    winsize size{};
    if (::ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) {
        return size.ws_col;
    }
    if (const char *columns = std::getenv("COLUMNS"); columns && std::atoi(columns) > 0) {
        return std::atoi(columns);
    }
    return 80;
}

} // namespace melorit::cli
