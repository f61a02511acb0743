#include "base/WindowPlacement.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>

namespace melorit::placement {
namespace {

// Where the main window is tried when the user has not placed it: a grid of
// this many steps across the free room of the screen in each direction.
constexpr int kMainSteps = 8;
// Any free place next to a window counts less than a preferred one.
constexpr int kOtherPlaceRank = 10;
constexpr int kNoFreePlaceRank = 100;

std::int64_t area(const QRect &r)
{
    return r.isEmpty() ? 0 : std::int64_t{r.width()} * r.height();
}

// How good an arrangement is, compared member by member: the main window
// uncovered first, then no window over another, then the preferred sides,
// then the whole group near the middle of the screen.
struct Score {
    std::int64_t mainCovered = 0;
    std::int64_t overlap = 0;
    int rank = 0;
    std::int64_t offCentre = 0;
    bool operator<(const Score &o) const
    {
        return std::tie(mainCovered, overlap, rank, offCentre) <
               std::tie(o.mainCovered, o.overlap, o.rank, o.offCentre);
    }
};

class Arrangement {
public:
    Arrangement(const Layout &layout, const std::array<Window, kWindowCount> &windows,
                QPoint mainPos)
        : m_layout(layout), m_windows(windows), m_main(mainPos, layout.mainSize)
    {
    }

    void placeAll();
    Score score() const;
    QRect bounds() const;
    QPoint position(int i) const { return m_frames[static_cast<std::size_t>(i)].topLeft(); }
    const QRect &mainRect() const { return m_main; }
    void translate(QPoint by)
    {
        m_main.translate(by);
        for (QRect &r : m_frames) {
            r.translate(by);
        }
    }

private:
    bool exists(int i) const { return !window(i).size.isEmpty(); }
    const Window &window(int i) const { return m_windows[static_cast<std::size_t>(i)]; }
    QSize frameSize(int i) const
    {
        const QMargins &d = m_layout.decoration;
        return window(i).size + QSize(d.left() + d.right(), d.top() + d.bottom());
    }
    std::vector<QRect> others(int except) const;
    void place(int i);
    std::optional<QRect> anchorRect(int anchor) const;
    std::vector<QRect> candidates(const QRect &anchor, Side side, QSize frame) const;
    bool onScreen(const QRect &r) const { return m_layout.screen.contains(r); }
    bool clear(const QRect &r, int self) const;
    std::pair<std::int64_t, std::int64_t> overlapOf(const QRect &r, int self) const;

    const Layout &m_layout;
    const std::array<Window, kWindowCount> &m_windows;
    QRect m_main;
    std::array<QRect, kWindowCount> m_frames{};
    std::array<bool, kWindowCount> m_placed{};
    int m_rank = 0;
};

std::vector<QRect> Arrangement::others(int except) const
{
    std::vector<QRect> rects{m_main};
    for (int i = 0; i < kWindowCount; ++i) {
        if (i != except && m_placed[static_cast<std::size_t>(i)]) {
            rects.push_back(m_frames[static_cast<std::size_t>(i)]);
        }
    }
    return rects;
}

bool Arrangement::clear(const QRect &r, int self) const
{
    const int g = std::max(m_layout.gap - 1, 0);
    const std::vector<QRect> rects = others(self);
    return std::none_of(rects.begin(), rects.end(),
                        [&](const QRect &o) { return r.intersects(o.adjusted(-g, -g, g, g)); });
}

std::pair<std::int64_t, std::int64_t> Arrangement::overlapOf(const QRect &r, int self) const
{
    std::int64_t rest = 0;
    for (const QRect &o : others(self)) {
        rest += area(r.intersected(o));
    }
    const std::int64_t main = area(r.intersected(m_main));
    return {main, rest - main};
}

std::optional<QRect> Arrangement::anchorRect(int anchor) const
{
    if (anchor == kMain) {
        return m_main;
    }
    if (anchor < 0 || anchor >= kWindowCount || !m_placed[static_cast<std::size_t>(anchor)]) {
        return std::nullopt;
    }
    return m_frames[static_cast<std::size_t>(anchor)];
}

// The places on one side of an anchor, at the gap from it: lined up with the
// anchor's start first, then slid along the side next to every other window
// and to the screen's edges, nearest first.
std::vector<QRect> Arrangement::candidates(const QRect &anchor, Side side, QSize frame) const
{
    const bool vertical = side == Side::Below || side == Side::Above;
    const int gap = m_layout.gap;
    const int along = vertical ? frame.width() : frame.height();
    const int across = side == Side::Below   ? anchor.bottom() + 1 + gap
                       : side == Side::Above ? anchor.top() - gap - frame.height()
                       : side == Side::Right ? anchor.right() + 1 + gap
                                             : anchor.left() - gap - frame.width();
    const auto start = [vertical](const QRect &r) { return vertical ? r.left() : r.top(); };
    const auto end = [vertical](const QRect &r) { return vertical ? r.right() : r.bottom(); };
    const int aligned = start(anchor);
    std::vector<int> slides{aligned, end(anchor) + 1 - along, start(m_layout.screen),
                            end(m_layout.screen) + 1 - along};
    for (const QRect &o : others(-1)) {
        slides.push_back(end(o) + 1 + gap);
        slides.push_back(start(o) - gap - along);
    }
    std::stable_sort(slides.begin(), slides.end(), [aligned](int a, int b) {
        return std::abs(a - aligned) < std::abs(b - aligned);
    });
    std::vector<QRect> rects;
    for (const int s : slides) {
        rects.emplace_back(vertical ? QPoint(s, across) : QPoint(across, s), frame);
    }
    return rects;
}

void Arrangement::place(int i)
{
    std::vector<Preference> tried = window(i).preferences;
    for (int anchor = kMain; anchor < kWindowCount; ++anchor) {
        for (const Side side : {Side::Below, Side::Right, Side::Above, Side::Left}) {
            tried.push_back({anchor, side, kOtherPlaceRank});
        }
    }
    std::optional<QRect> fallback;
    std::pair<std::int64_t, std::int64_t> fallbackOverlap;
    for (std::size_t rank = 0; rank < tried.size(); ++rank) {
        const std::optional<QRect> anchor = anchorRect(tried[rank].anchor);
        if (!anchor) {
            continue;
        }
        for (const QRect &r : candidates(*anchor, tried[rank].side, frameSize(i))) {
            if (!onScreen(r)) {
                continue;
            }
            if (clear(r, i)) {
                m_frames[static_cast<std::size_t>(i)] = r;
                m_rank += tried[rank].cost;
                return;
            }
            const auto overlap = overlapOf(r, i);
            if (!fallback || overlap < fallbackOverlap) {
                fallback = r;
                fallbackOverlap = overlap;
            }
        }
    }
    // No free place: the one that covers the main window least, then the
    // others least; a window larger than the screen goes to its corner.
    m_frames[static_cast<std::size_t>(i)] =
        fallback.value_or(QRect(m_layout.screen.topLeft(), frameSize(i)));
    m_rank += kNoFreePlaceRank;
}

void Arrangement::placeAll()
{
    for (int i = 0; i < kWindowCount; ++i) {
        if (exists(i) && window(i).storedOffset) {
            m_frames[static_cast<std::size_t>(i)] =
                QRect(m_main.topLeft() + *window(i).storedOffset, frameSize(i));
            m_placed[static_cast<std::size_t>(i)] = true;
        }
    }
    for (int i = 0; i < kWindowCount; ++i) {
        if (exists(i) && !m_placed[static_cast<std::size_t>(i)]) {
            place(i);
            m_placed[static_cast<std::size_t>(i)] = true;
        }
    }
}

QRect Arrangement::bounds() const
{
    QRect all = m_main;
    for (int i = 0; i < kWindowCount; ++i) {
        if (m_placed[static_cast<std::size_t>(i)]) {
            all |= m_frames[static_cast<std::size_t>(i)];
        }
    }
    return all;
}

Score Arrangement::score() const
{
    Score s;
    s.rank = m_rank;
    for (int i = 0; i < kWindowCount; ++i) {
        if (!m_placed[static_cast<std::size_t>(i)]) {
            continue;
        }
        const QRect &r = m_frames[static_cast<std::size_t>(i)];
        s.mainCovered += area(r.intersected(m_main));
        for (int j = i + 1; j < kWindowCount; ++j) {
            if (m_placed[static_cast<std::size_t>(j)]) {
                s.overlap += area(r.intersected(m_frames[static_cast<std::size_t>(j)]));
            }
        }
        if (!m_layout.screen.contains(r)) {
            s.overlap += area(r) - area(r.intersected(m_layout.screen));
        }
    }
    const QPoint off = bounds().center() - m_layout.screen.center();
    s.offCentre = std::int64_t{std::abs(off.x())} + std::abs(off.y());
    return s;
}

std::vector<QPoint> mainCandidates(const Layout &layout)
{
    if (layout.storedMainPos) {
        return {*layout.storedMainPos};
    }
    const QRect &screen = layout.screen;
    const int roomX = std::max(screen.width() - layout.mainSize.width(), 0);
    const int roomY = std::max(screen.height() - layout.mainSize.height(), 0);
    std::vector<QPoint> points;
    for (int i = 0; i <= kMainSteps; ++i) {
        for (int j = 0; j <= kMainSteps; ++j) {
            points.emplace_back(screen.left() + roomX * i / kMainSteps,
                                screen.top() + roomY * j / kMainSteps);
        }
    }
    return points;
}

// How far the whole group moves to the middle of the screen, as far as the
// screen lets it.
QPoint towardsCentre(const Layout &layout, const Arrangement &arrangement)
{
    const QRect group = arrangement.bounds();
    const QRect &screen = layout.screen;
    const QPoint want = screen.center() - group.center();
    const auto limit = [](int v, int lo, int hi) { return lo <= hi ? std::clamp(v, lo, hi) : 0; };
    return {limit(want.x(), screen.left() - group.left(), screen.right() - group.right()),
            limit(want.y(), screen.top() - group.top(), screen.bottom() - group.bottom())};
}

} // namespace

std::array<Window, kWindowCount>
windowsWithDefaultSides(const std::array<QSize, kWindowCount> &sizes,
                        const std::array<std::optional<QPoint>, kWindowCount> &storedOffsets)
{
    constexpr int kChannelPanel = 0;
    std::array<Window, kWindowCount> windows;
    windows[0].preferences = {{kMain, Side::Below, 0}, {kMain, Side::Above, 1}};
    windows[1].preferences = {
        {kChannelPanel, Side::Below, 0}, {kMain, Side::Above, 0}, {kMain, Side::Below, 1}};
    windows[2].preferences = {{kMain, Side::Right, 0}, {kMain, Side::Left, 2}};
    windows[3].preferences = {{kMain, Side::Left, 0}, {kMain, Side::Right, 1}};
    for (std::size_t i = 0; i < windows.size(); ++i) {
        windows[i].size = sizes[i];
        windows[i].storedOffset = storedOffsets[i];
    }
    return windows;
}

Plan planWindows(const Layout &layout, const std::array<Window, kWindowCount> &windows)
{
    std::optional<Arrangement> best;
    Score bestScore;
    const auto consider = [&](QPoint main) {
        Arrangement candidate(layout, windows, main);
        candidate.placeAll();
        const Score s = candidate.score();
        if (!best || s < bestScore) {
            best.emplace(candidate);
            bestScore = s;
        }
    };
    for (const QPoint &main : mainCandidates(layout)) {
        consider(main);
    }
    if (!layout.storedMainPos) {
        best->translate(towardsCentre(layout, *best));
    }
    Plan plan;
    plan.mainPos = best->mainRect().topLeft();
    for (int i = 0; i < kWindowCount; ++i) {
        const Window &w = windows[static_cast<std::size_t>(i)];
        plan.offsets[static_cast<std::size_t>(i)] =
            w.size.isEmpty() ? w.storedOffset.value_or(QPoint())
                             : best->position(i) - best->mainRect().topLeft();
    }
    plan.apart = bestScore.mainCovered == 0 && bestScore.overlap == 0;
    return plan;
}

} // namespace melorit::placement
