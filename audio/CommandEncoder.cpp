// The command-line encoder: a child process started with an argument vector
// and fed a WAV stream on its standard input by a writer thread through a
// bounded buffer, so the synthesizer (the reading thread) and the encoder
// (the child) run at the same time.

#include "audio/Encoder.h"

#include "audio/Error.h"
#include "audio/MidiStream.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <optional>
#include <poll.h>
#include <pthread.h>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char **environ;

namespace melorit::audio {

namespace {

using Clock = std::chrono::steady_clock;

// About 6 s of audio between the reader and the program.
constexpr std::size_t kBufferBytes = 1u << 20;
// The writer is woken once this much waits, or at the end.
constexpr std::size_t kWakeBytes = 128u << 10;
// The pipe to the program is made this large where the system allows (its
// default is 64 KiB). lame reads 4 KiB at a time: with a small pipe kept
// full, every read woke the writer for one page, thousands of cross-core
// wake-ups a song.
constexpr int kPipeBytes = 1 << 20;
// While the pipe is full the writer sleeps in steps of this at most, until
// half of it has been taken.
constexpr auto kLongestPause = std::chrono::milliseconds(20);
constexpr auto kShortestPause = std::chrono::milliseconds(1);
// A program that takes nothing for this long is taken as stuck (20 s).
std::atomic<std::int64_t> g_stallLimitMs{20000};
// How long stop() waits for the program to finish after its input ends (60 s).
std::atomic<std::int64_t> g_exitLimitMs{60000};
// The last bytes of the program's output kept for errorText().
constexpr std::size_t kOutputTail = 2048;

bool isExecutableFile(const std::string &path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           access(path.c_str(), X_OK) == 0;
}

// The program folder first, then each folder of PATH.
std::optional<std::string> findProgram(const std::string &name, const std::string &programFolder)
{
    if (name.find('/') != std::string::npos) {
        return isExecutableFile(name) ? std::optional(name) : std::nullopt;
    }
    if (!programFolder.empty() && isExecutableFile(programFolder + "/" + name)) {
        return programFolder + "/" + name;
    }
    const char *path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= folders.size()) {
        const std::size_t end = std::min(folders.find(':', start), folders.size());
        const std::string folder = end > start ? folders.substr(start, end - start) : ".";
        if (isExecutableFile(folder + "/" + name)) {
            return folder + "/" + name;
        }
        start = end + 1;
    }
    return std::nullopt;
}

class CommandEncoder final : public Encoder {
public:
    CommandEncoder(std::string program, pid_t pid, int input, int output)
        : m_program(std::move(program)), m_pid(pid), m_input(input), m_output(output),
          m_pipeBytes(std::max(fcntl(input, F_GETPIPE_SZ), 4096)), m_buffer(kBufferBytes)
    {
        m_writer = std::thread([this] { writeLoop(); });
        m_reader = std::thread([this] { readLoop(); });
    }

    ~CommandEncoder() override { stop(); }

    bool isActive() override
    {
        if (m_stopped || failed()) {
            return false;
        }
        return !reapChild(false);
    }

    void stop() override
    {
        if (m_stopped) {
            return;
        }
        m_stopped = true;
        {
            std::lock_guard lock(m_mutex);
            m_closing = true;
        }
        m_wakeWriter.notify_all();
        // The writer sends what is left, then closes the program's input.
        const auto deadline = Clock::now() + std::chrono::milliseconds(g_exitLimitMs.load());
        while (!reapChild(false) && Clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        if (!reapChild(false)) {
            setError("the encoder did not finish in time and was stopped");
            kill(-m_pid, SIGKILL);
            reapChild(true);
        }
        // Whatever it left running goes too: the output must reach its end.
        kill(-m_pid, SIGKILL);
        m_writer.join();
        m_reader.join();
        close(m_output);
        reportExit();
    }

    std::string errorText() const override
    {
        std::lock_guard lock(m_mutex);
        if (m_error.empty() && m_exitText.empty()) {
            return {};
        }
        std::string text = m_exitText;
        for (const std::string *part : {&m_error, &m_outputTail}) {
            if (!part->empty()) {
                text += (text.empty() ? "" : "\n") + *part;
            }
        }
        return text;
    }

    void feed(std::span<const std::uint8_t> bytes) override
    {
        std::unique_lock lock(m_mutex);
        while (!bytes.empty() && m_error.empty() && !m_closing) {
            if (m_count == m_buffer.size()) {
                // Full: wait for the program to take some, but not forever.
                const std::size_t before = m_taken;
                if (!m_wakeFeeder.wait_for(lock, std::chrono::milliseconds(g_stallLimitMs.load()),
                                           [&] { return m_taken != before || !m_error.empty(); })) {
                    m_error = "the encoder stopped reading its input";
                    lock.unlock();
                    kill(-m_pid, SIGKILL);
                    return;
                }
                continue;
            }
            const std::size_t at = (m_start + m_count) % m_buffer.size();
            const std::size_t n =
                std::min({bytes.size(), m_buffer.size() - m_count, m_buffer.size() - at});
            std::copy_n(bytes.begin(), n, m_buffer.begin() + static_cast<std::ptrdiff_t>(at));
            m_count += n;
            bytes = bytes.subspan(n);
        }
        if (m_count >= kWakeBytes) {
            m_wakeWriter.notify_one();
        }
    }

private:
    bool failed() const
    {
        std::lock_guard lock(m_mutex);
        return !m_error.empty() || !m_exitText.empty();
    }

    void setError(const std::string &text)
    {
        std::lock_guard lock(m_mutex);
        if (m_error.empty()) {
            m_error = text;
        }
    }

    // Whether the program has ended (it is reaped once).
    bool reapChild(bool wait)
    {
        if (m_exited) {
            return true;
        }
        int status = 0;
        const pid_t got = waitpid(m_pid, &status, wait ? 0 : WNOHANG);
        if (got == m_pid || (got < 0 && errno == ECHILD)) {
            m_exited = true;
            m_status = status;
            if (!m_stopped) {
                reportExit();
            }
        }
        return m_exited;
    }

    void reportExit()
    {
        if (!m_exited) {
            return;
        }
        if (WIFEXITED(m_status) && WEXITSTATUS(m_status) == 0) {
            if (!m_stopped) {
                setError(m_program + " ended before the end of its input");
            }
            return;
        }
        std::lock_guard lock(m_mutex);
        if (WIFEXITED(m_status)) {
            m_exitText = m_program + " exited with status " + std::to_string(WEXITSTATUS(m_status));
        } else if (WIFSIGNALED(m_status)) {
            m_exitText = m_program + " was ended by signal " + std::to_string(WTERMSIG(m_status));
        }
    }

    // Writer thread: moves the buffer into the program's input.
    void writeLoop()
    {
        // A write to a program that has gone raises SIGPIPE on this thread:
        // blocked here, it only makes write() fail with EPIPE.
        sigset_t pipeSignal;
        sigemptyset(&pipeSignal);
        sigaddset(&pipeSignal, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipeSignal, nullptr);
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_wakeWriter.wait_for(lock, std::chrono::milliseconds(50), [&] {
                return m_count >= kWakeBytes || m_closing || !m_error.empty();
            });
            if (m_count == 0 && (m_closing || !m_error.empty())) {
                break;
            }
            if (m_count == 0) {
                continue;
            }
            const std::size_t n = std::min(m_count, m_buffer.size() - m_start);
            const std::uint8_t *from = m_buffer.data() + m_start;
            lock.unlock();
            const ssize_t written = write(m_input, from, n);
            const int error = errno;
            const bool full = written < 0 && (error == EAGAIN || error == EWOULDBLOCK);
            const bool gone = full && !awaitPipe(m_pipeBytes / 2, true);
            lock.lock();
            if ((written < 0 && error == EINTR) || (full && !gone)) {
                continue;
            }
            if (written <= 0) {
                if (m_error.empty()) {
                    m_error = m_program + " stopped reading its input (" +
                              std::strerror(gone ? EPIPE : error) + ")";
                }
                m_count = 0; // nobody will take it
                break;
            }
            m_start = (m_start + static_cast<std::size_t>(written)) % m_buffer.size();
            m_count -= static_cast<std::size_t>(written);
            m_taken += static_cast<std::size_t>(written);
            m_wakeFeeder.notify_all();
        }
        m_wakeFeeder.notify_all();
        const bool drained = m_error.empty();
        lock.unlock();
        // The input ends once the program has taken all of it: one that
        // leaves before is told, not taken for a complete encoding.
        if (drained && !awaitPipe(0, false)) {
            setError(m_program + " stopped reading its input (" + std::strerror(EPIPE) + ")");
        }
        close(m_input);
        // Take the SIGPIPE a failed write left pending on this thread.
        const timespec none{0, 0};
        while (sigtimedwait(&pipeSignal, nullptr, &none) == SIGPIPE) {
        }
    }

    // Writer thread: sleeps until at most `left` bytes wait in the pipe. With
    // the pipe full and left half of it, the writer and the program wake each
    // other once per half pipe instead of once per page. The pause follows
    // the pace the program reads at; `pauseFirst` pauses at least once (the
    // pipe said it was full). False when the program has closed its input
    // (or an error was set meanwhile).
    bool awaitPipe(int left, bool pauseFirst)
    {
        auto pause = std::chrono::milliseconds(5);
        int queued = pendingInPipe();
        for (bool first = pauseFirst; first || queued > left; first = false) {
            pollfd end{m_input, 0, 0}; // only the reader's end is waited for
            const int ready = poll(&end, 1, static_cast<int>(pause.count()));
            if (ready > 0 || stopping()) {
                return false;
            }
            const int now = pendingInPipe();
            if (now < queued && now > left) {
                // The time to `left` at the pace just seen.
                const auto wait = pause * (now - left) / (queued - now);
                pause = std::clamp<std::chrono::milliseconds>(wait, kShortestPause, kLongestPause);
            }
            queued = now;
        }
        return true;
    }

    // Bytes written to the program and not read yet; 0 when unknown.
    int pendingInPipe() const
    {
        int queued = 0;
        return ioctl(m_input, FIONREAD, &queued) == 0 ? queued : 0;
    }

    bool stopping() const
    {
        std::lock_guard lock(m_mutex);
        return !m_error.empty();
    }

    // Reader thread: drains the program's output so it never blocks on it.
    void readLoop()
    {
        char chunk[1024];
        for (;;) {
            const ssize_t got = read(m_output, chunk, sizeof chunk);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got <= 0) {
                return;
            }
            std::lock_guard lock(m_mutex);
            m_outputTail.append(chunk, static_cast<std::size_t>(got));
            if (m_outputTail.size() > kOutputTail) {
                m_outputTail.erase(0, m_outputTail.size() - kOutputTail);
            }
        }
    }

    const std::string m_program;
    const pid_t m_pid;
    const int m_input; // non-blocking
    const int m_output;
    const int m_pipeBytes;
    std::thread m_writer;
    std::thread m_reader;

    // UI thread only.
    bool m_stopped = false;
    bool m_exited = false;
    int m_status = 0;

    // Shared with the threads.
    mutable std::mutex m_mutex;
    std::condition_variable m_wakeWriter;
    std::condition_variable m_wakeFeeder;
    std::vector<std::uint8_t> m_buffer;
    std::size_t m_start = 0;
    std::size_t m_count = 0;
    std::size_t m_taken = 0;
    bool m_closing = false;
    std::string m_error;
    std::string m_exitText;
    std::string m_outputTail;
};

// Starts the program with its input and output on pipes; the pid, or -1.
pid_t spawnProgram(const std::string &path, const std::vector<std::string> &argv, int *input,
                   int *output)
{
    int in[2];
    int out[2];
    if (pipe2(in, O_CLOEXEC) != 0) {
        return -1;
    }
    if (pipe2(out, O_CLOEXEC) != 0) {
        close(in[0]);
        close(in[1]);
        return -1;
    }
    std::vector<char *> args;
    args.reserve(argv.size() + 1);
    for (const std::string &a : argv) {
        args.push_back(const_cast<char *>(a.c_str()));
    }
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDERR_FILENO);
    // The child starts with SIGPIPE at its default, whatever ours is.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    // Its own process group, so that stopping it also stops any program it
    // started, which would otherwise hold its output open.
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK |
                                              POSIX_SPAWN_SETPGROUP);
    pid_t pid = -1;
    const int result = posix_spawn(&pid, path.c_str(), &actions, &attributes, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    close(in[0]);
    close(out[1]);
    if (result != 0) {
        close(in[1]);
        close(out[0]);
        return -1;
    }
    // Larger and non-blocking on our side only (the program's end is its
    // own open file): see kPipeBytes and awaitPipe().
    fcntl(in[1], F_SETPIPE_SZ, kPipeBytes);
    fcntl(in[1], F_SETFL, fcntl(in[1], F_GETFL) | O_NONBLOCK);
    *input = in[1];
    *output = out[0];
    return pid;
}

} // namespace

EncoderHandle EncodeStartCommand(MidiStream &stream, const std::vector<std::string> &argv,
                                 const std::string &programFolder)
{
    if (!stream.isDecoding()) {
        detail::setLastError(Error::NotAvail);
        return nullptr;
    }
    if (argv.empty() || argv.front().empty()) {
        detail::setLastError(Error::IllParam);
        return nullptr;
    }
    const auto path = findProgram(argv.front(), programFolder);
    int input = -1;
    int output = -1;
    const pid_t pid = path ? spawnProgram(*path, argv, &input, &output) : -1;
    if (pid < 0) {
        detail::setLastError(Error::FileOpen);
        return nullptr;
    }
    auto encoder = std::make_shared<CommandEncoder>(argv.front(), pid, input, output);
    // A stream of unknown length: the sizes say "as much as follows".
    auto header = detail::wavHeader(0xFFFFFFFFu);
    std::fill_n(header.begin() + 4, 4, std::uint8_t{0xFF});
    encoder->feed(header);
    stream.attachEncoder(encoder);
    detail::setLastError(Error::Ok);
    return encoder;
}

namespace detail {

void setCommandWaitLimits(std::chrono::milliseconds stall, std::chrono::milliseconds exit)
{
    g_stallLimitMs = stall.count();
    g_exitLimitMs = exit.count();
}

} // namespace detail

} // namespace melorit::audio
