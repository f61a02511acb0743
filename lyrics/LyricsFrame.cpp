#include "lyrics/LyricsFrame.h"

#include "lyrics/LyricsModel.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <span>
#include <unordered_set>

namespace melorit::lyrics {
namespace {

int codePointCount(const QString &text)
{
    int count = 0;
    for (const QChar c : text) {
        if (!c.isLowSurrogate()) {
            ++count;
        }
    }
    return count;
}

std::span<const GlyphCode> partOf(const LyricsLayout::Line &line, int from, int count)
{
    return std::span<const GlyphCode>(line.codes)
        .subspan(static_cast<std::size_t>(from), static_cast<std::size_t>(count));
}

void addRun(FramePlan &plan, int line, int from, int count, float x, const LinePlace &place,
            const Rgb &colour)
{
    if (count > 0) {
        plan.runs.push_back(TextRun{line, from, count, x, place.y, place.z, colour});
    }
}

} // namespace

Rgb RGB2CouleurRVB(std::uint32_t couleur)
{
    return Rgb{static_cast<float>(couleur & 0xFF) / 255.0f,
               static_cast<float>((couleur & 0xFF00) >> 8) / 255.0f,
               static_cast<float>((couleur & 0xFF0000) >> 16) / 255.0f};
}

Rgb mixColours(float k, const Rgb &a, const Rgb &b)
{
    return Rgb{k * a.r + (1 - k) * b.r, k * a.g + (1 - k) * b.g, k * a.b + (1 - k) * b.b};
}

int currentSyllable(const LyricsModel &model, std::int64_t tick)
{
    const int count = model.SyllableCount();
    if (count == 0 || model.syllable(1).Tick > tick) {
        return 0;
    }
    if (model.syllable(count).Tick < tick) {
        return count;
    }
    int lo = 1;
    int hi = count;
    int current = 0;
    bool found = false;
    while (lo <= hi && !found) {
        const int mid = (lo + hi) / 2;
        current = mid;
        const std::int64_t at = model.syllable(mid).Tick;
        if (at < tick) {
            lo = mid + 1;
        } else if (at > tick) {
            hi = mid - 1;
        } else {
            found = true;
        }
    }
    while (!found && current >= 2 && model.syllable(current).Tick > tick) {
        --current;
    }
    return current;
}

LinePlace placeLine(float scrollSpeed, std::int64_t tick, std::int32_t lineTick)
{
    LinePlace place;
    place.y = scrollSpeed * static_cast<float>(tick - lineTick);
    if (place.y <= 0) {
        place.z = 0.5f + 0.1f * place.y;
        place.k = 0;
    } else {
        place.z = 0.5f - 1.1f * place.y;
        place.k = 1.0f / (1.0f + 0.1f * place.y);
    }
    return place;
}

float computeScrollSpeed(int lineCount, std::int32_t minLineGap, float bracketHeight)
{
    if (lineCount <= 1) {
        return 0;
    }
    if (minLineGap > 0) {
        return bracketHeight / static_cast<float>(minLineGap);
    }
    return kScrollSpeedForZeroGap;
}

int zoomAfterKey(int zoom, int keyCode)
{
    using namespace zoomkeys;
    if (keyCode == kKeypad0) {
        return 0;
    }
    if (keyCode > kKeypad0 && keyCode <= kKeypad9) {
        return 10 - (keyCode - kKeypad0);
    }
    if (keyCode == kKeypadMinus && zoom < 9) {
        return zoom + 1;
    }
    if (keyCode == kKeypadPlus && zoom > 0) {
        return zoom - 1;
    }
    return zoom;
}

float camDistanceFor(int zoom)
{
    return static_cast<float>(zoom) + 10.0f;
}

float fitCamDistance(float lineWidth, float aspect)
{
    // The current line stands 0.5 behind the text plane's centre, as seen
    // from the camera; the view's vertical angle is 40 degrees.
    static constexpr float kLineDepth = 0.5f;
    static constexpr float kMargin = 1.1f; // 5 % on each side
    const float halfAngle = std::tan(20.0f * std::numbers::pi_v<float> / 180.0f);
    if (lineWidth <= 0 || aspect <= 0) {
        return kMinFitDistance;
    }
    const float distance = kLineDepth + lineWidth * kMargin / (2 * halfAngle * aspect);
    return std::clamp(distance, kMinFitDistance, kMaxFitDistance);
}

std::vector<GlyphCode> LyricsLayout::glyphsOf(const LyricsModel &model)
{
    std::unordered_set<GlyphCode> seen;
    std::vector<GlyphCode> codes;
    for (int i = 1; i <= model.LineCount(); ++i) {
        for (const GlyphCode code : glyphCodes(model.ConvertCharset(model.line(i).LineText))) {
            if (seen.insert(code).second) {
                codes.push_back(code);
            }
        }
    }
    return codes;
}

void LyricsLayout::build(const LyricsModel &model, const GlyphMetricsTable &glyphs)
{
    clear();
    m_lines.reserve(static_cast<std::size_t>(model.LineCount()));
    for (int i = 1; i <= model.LineCount(); ++i) {
        Line line;
        line.codes = glyphCodes(model.ConvertCharset(model.line(i).LineText));
        line.width = glyphs.Text3DWidth(line.codes);
        m_longest = std::max(m_longest, line.width);
        m_lines.push_back(std::move(line));
    }
    m_spans.reserve(static_cast<std::size_t>(model.SyllableCount()));
    for (int s = 1; s <= model.SyllableCount(); ++s) {
        const LyricSyllable &syllable = model.syllable(s);
        Span span;
        if (syllable.Line >= 1 && syllable.Line <= lineCount()) {
            const QByteArray &text = model.line(syllable.Line).LineText;
            const int size = static_cast<int>(line(syllable.Line).codes.size());
            const qsizetype start = std::clamp<qsizetype>(syllable.Start, 0, text.size());
            span.from = std::min(codePointCount(model.ConvertCharset(text.left(start))), size);
            span.count = std::clamp(
                codePointCount(model.ConvertCharset(text.mid(start, std::max(syllable.Length, 0)))),
                0, size - span.from);
        }
        m_spans.push_back(span);
    }
    m_built = true;
}

void LyricsLayout::clear()
{
    m_lines.clear();
    m_spans.clear();
    m_longest = 0;
    m_built = false;
}

bool LyricsLayout::fits(const LyricsModel &model) const
{
    return m_built && lineCount() == model.LineCount() && syllableCount() == model.SyllableCount();
}

std::int64_t placingTick(const LyricsModel &model, std::int64_t tick)
{
    const int count = model.SyllableCount();
    if (count == 0) {
        return tick;
    }
    const std::int64_t end =
        std::int64_t{model.syllable(count).Tick} + std::max(model.MinLineGap(), 0);
    return std::min(tick, end);
}

void planFrame(const LyricsModel &model, const LyricsLayout &layout,
               const GlyphMetricsTable &glyphs, const FrameState &state, FramePlan &plan)
{
    const Rgb sung = RGB2CouleurRVB(state.colours.sung);
    const Rgb flash = RGB2CouleurRVB(state.colours.flash);
    const Rgb unsung = RGB2CouleurRVB(state.colours.unsung);
    plan.background = RGB2CouleurRVB(state.colours.background);
    plan.runs.clear();
    plan.currentSyllable = 0;
    plan.currentLine = 0;
    if (!layout.fits(model)) {
        return;
    }

    const int current = currentSyllable(model, state.tick);
    const std::int64_t placed = placingTick(model, state.tick);
    const int currentLine = current > 0 ? model.syllable(current).Line : 0;
    plan.currentSyllable = current;
    plan.currentLine = currentLine;
    const int first = std::max(1, currentLine - kLinesAround);
    const int last = std::min(layout.lineCount(), currentLine + kLinesAround);
    for (int i = first; i <= last; ++i) {
        const LyricsLayout::Line &text = layout.line(i);
        const LinePlace place = placeLine(state.scrollSpeed, placed, model.line(i).LineTick);
        const Rgb passed = mixColours(place.k, sung, plan.background);
        float x = -text.width / 2;
        const int size = static_cast<int>(text.codes.size());
        if (i != currentLine) {
            addRun(plan, i, 0, size, x, place, i < currentLine ? passed : unsung);
            continue;
        }
        const LyricsLayout::Span &span = layout.syllable(current);
        addRun(plan, i, 0, span.from, x, place, passed);
        x += glyphs.Text3DWidth(partOf(text, 0, span.from));
        const float left = state.flashLength > 0
                               ? std::clamp(state.flashLeft / state.flashLength, 0.0f, 1.0f)
                               : 0.0f;
        addRun(plan, i, span.from, span.count, x, place, mixColours(left, flash, passed));
        x += glyphs.Text3DWidth(partOf(text, span.from, span.count));
        const int rest = span.from + span.count;
        addRun(plan, i, rest, size - rest, x, place, unsung);
    }
}

} // namespace melorit::lyrics
