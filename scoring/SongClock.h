#pragma once

#include <cstdint>
#include <deque>
#include <optional>

namespace melorit::scoring {

// The song position heard at past moments. A live session notes the heard
// tick with the steady clock at each poll; a pitch frame, analysed some tens
// of milliseconds after it was sung, looks up what the singer heard then.
// UI thread.
class SongClock {
public:
    static constexpr std::int64_t kKeptNs = 4'000'000'000; // 4 s

    void record(std::int64_t ns, double tick);
    // Forgets the past (after a jump in the song, the old ticks no longer
    // lead to the new ones).
    void clear() { m_points.clear(); }
    // The tick heard at a moment, interpolated between the polls around it;
    // after the last poll, the last tick; nothing before the first one kept.
    std::optional<double> tickAt(std::int64_t ns) const;
    // The moment of the last poll, when there was one.
    std::optional<std::int64_t> lastNs() const;

private:
    struct Point {
        std::int64_t ns;
        double tick;
    };
    std::deque<Point> m_points;
};

} // namespace melorit::scoring
