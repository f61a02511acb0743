#include "lyrics/LyricsModel.h"

#include <cmath>
#include <cstdlib>

namespace melorit::lyrics {
namespace {

constexpr std::uint32_t kSyncMidiLyric = 0x10002;
constexpr std::uint32_t kSyncMidiText = 0x10003;
constexpr std::size_t kGrowth = 100;

template <typename T> void appendGrowing(std::vector<T> &table, T value)
{
    if (table.size() == table.capacity()) {
        table.reserve(table.capacity() + kGrowth);
    }
    table.push_back(std::move(value));
}

// The track with the most marks of a type; the lowest track wins a tie and
// no marks at all give -1.
struct Best {
    int track = -1;
    int count = 0;
};

Best busiestTrack(const LyricsSource &song, int type, int tracks)
{
    std::vector<int> counts(static_cast<std::size_t>(std::max(tracks, 0)), 0);
    for (int i = 0;; ++i) {
        const auto mark = song.mark(type, i);
        if (!mark) {
            break;
        }
        if (mark->track >= 0 && mark->track < tracks) {
            ++counts[static_cast<std::size_t>(mark->track)];
        }
    }
    Best best;
    for (int t = 0; t < tracks; ++t) {
        if (counts[static_cast<std::size_t>(t)] > best.count) {
            best = {t, counts[static_cast<std::size_t>(t)]};
        }
    }
    return best;
}

QByteArray trimmedSpaces(const QByteArray &text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text[from] == ' ') {
        ++from;
    }
    while (to > from && text[to - 1] == ' ') {
        --to;
    }
    return text.mid(from, to - from);
}

// ";" as a space, line breaks removed (they ask for a new line before the
// next syllable), runs of spaces as one; no leading space at a line start.
QByteArray cleanSyllable(const QByteArray &raw, bool lineIsEmpty, bool &breakAfter)
{
    QByteArray out;
    out.reserve(raw.size());
    breakAfter = false;
    for (const char c : raw) {
        if (c == '\r' || c == '\n') {
            breakAfter = true;
            continue;
        }
        const char ch = c == ';' ? ' ' : c;
        if (ch == ' ' && out.endsWith(' ')) {
            continue;
        }
        out.append(ch);
    }
    if (lineIsEmpty) {
        while (out.startsWith(' ')) {
            out.remove(0, 1);
        }
    }
    return out;
}

} // namespace

struct LyricsModel::LineBuilder {
    QByteArray text;
    std::int64_t bytePos = 0;
    std::int64_t tick = 0;
    int number = 1;
    const LyricsSource *song = nullptr;
};

void LyricsModel::resetForNewSong()
{
    m_lyricsTrack = -1;
    m_melodyChannel = -1;
    m_charset.setDetectedCharset(CharsetDetector::Unknown);
}

std::uint32_t LyricsModel::LyricSyncType() const
{
    return m_markType == kMarkLyric ? kSyncMidiLyric : kSyncMidiText;
}

void LyricsModel::InitLyrics(const LyricsSource &song)
{
    FindLyricsTrack(song);
    LoadLyrics(song);
}

void LyricsModel::FindLyricsTrack(const LyricsSource &song)
{
    const int tracks = song.trackCount();
    const Best lyric = busiestTrack(song, kMarkLyric, tracks);
    const Best text = busiestTrack(song, kMarkText, tracks);
    if (lyric.track < 0 || (text.track >= 0 && text.count > lyric.count)) {
        m_lyricsTrack = text.track;
        m_markType = kMarkText;
    } else {
        m_lyricsTrack = lyric.track;
        m_markType = kMarkLyric;
    }
}

void LyricsModel::closeLine(LineBuilder &b, bool mayInitialiseGap)
{
    LyricLine line;
    line.LineText = b.text;
    line.LineBytePos = static_cast<std::int32_t>(b.bytePos);
    line.LineTick = static_cast<std::int32_t>(b.tick);
    line.LineTime = static_cast<float>(b.song->bytesToSeconds(b.bytePos));
    appendGrowing(m_lines, std::move(line));
    const int count = LineCount();
    if (count >= 2) {
        const std::int32_t gap = m_lines[count - 1].LineTick - m_lines[count - 2].LineTick;
        if (count == 2 && mayInitialiseGap) {
            m_minLineGap = gap;
        } else if (gap < m_minLineGap) {
            m_minLineGap = gap;
        }
    }
    b.text.clear();
    ++b.number;
}

void LyricsModel::LoadLyrics(const LyricsSource &song)
{
    m_title.clear();
    m_artist.clear();
    m_syllables = {};
    m_syllables.reserve(kGrowth);
    m_lines = {};
    m_lines.reserve(kGrowth);
    if (m_lyricsTrack < 0) {
        return;
    }
    m_charset.DetectCharset("*RAZ*");

    LineBuilder b;
    b.song = &song;
    bool pendingBreak = false;
    int infoCount = 0;
    for (int i = 0;; ++i) {
        const auto mark = song.mark(m_markType, i);
        if (!mark) {
            break;
        }
        if (mark->track != m_lyricsTrack) {
            continue;
        }
        QByteArray s = mark->text;
        m_charset.DetectCharset(s);
        if (s.startsWith('@')) {
            if (s.startsWith("@T")) {
                ++infoCount;
                if (infoCount == 1) {
                    m_title = trimmedSpaces(s.mid(2));
                } else if (infoCount == 2) {
                    m_artist = trimmedSpaces(s.mid(2));
                }
            }
            continue;
        }
        bool newLine = pendingBreak;
        pendingBreak = false;
        if (s.startsWith('\\') || s.startsWith('/')) {
            s.remove(0, 1);
            newLine = true;
        }
        if (newLine && !b.text.isEmpty()) {
            closeLine(b, true);
        }
        if (s.isEmpty()) {
            continue;
        }
        s = cleanSyllable(s, b.text.isEmpty(), pendingBreak);

        LyricSyllable record;
        record.Line = b.number;
        record.Start = static_cast<std::int32_t>(b.text.size());
        record.Length = static_cast<std::int32_t>(s.size());
        record.Time = song.bytesToSeconds(mark->bytePos);
        record.MarkIndex = i;
        record.BytePos = static_cast<std::int32_t>(mark->bytePos);
        record.Tick = static_cast<std::int32_t>(song.tickAtByte(mark->bytePos));
        if (b.text.isEmpty()) {
            b.bytePos = mark->bytePos;
            b.tick = record.Tick;
        }
        b.text.append(s);
        appendGrowing(m_syllables, record);
    }
    if (!b.text.isEmpty()) {
        closeLine(b, false);
    } else {
        settleTrailingEmptySyllables();
    }
}

// Syllables emptied by the cleaning after the last text (a closing line feed,
// say) name a line that never got any text and so was never closed. They end
// the last line instead; a song whose every syllable is empty keeps none.
void LyricsModel::settleTrailingEmptySyllables()
{
    const int lines = LineCount();
    if (lines == 0) {
        m_syllables.clear();
        return;
    }
    const auto end = static_cast<std::int32_t>(m_lines.back().LineText.size());
    for (auto s = m_syllables.rbegin(); s != m_syllables.rend() && s->Line > lines; ++s) {
        s->Line = lines;
        s->Start = end;
    }
}

int LyricsModel::nearestSyllable(std::int64_t tick) const
{
    const int count = SyllableCount();
    int lo = 1;
    int hi = count;
    int mid = 1;
    while (lo <= hi) {
        mid = (lo + hi) / 2;
        const std::int64_t at = syllable(mid).Tick;
        if (tick > at) {
            lo = mid + 1;
        } else if (tick < at) {
            hi = mid - 1;
        } else {
            return mid;
        }
    }
    const auto distance = [&](int k) { return std::llabs(tick - syllable(k).Tick); };
    const auto d0 = distance(mid);
    if (mid > 1 && distance(mid - 1) < d0) {
        return mid - 1;
    }
    if (mid < count && distance(mid + 1) < d0) {
        return mid + 1;
    }
    return mid;
}

void LyricsModel::FindMelodyChannel(const LyricsSource &song)
{
    m_melodyChannel = -1;
    const int syllables = SyllableCount();
    if (syllables < 10) {
        return;
    }
    int notes[16] = {};
    int matches[16] = {};
    const int tracks = song.trackCount();
    for (int t = 0; t < tracks; ++t) {
        for (const SourceNote &note : song.noteEvents(t)) {
            if (note.channel < 0 || note.channel > 15 || note.velocity < 1) {
                continue;
            }
            const int k = nearestSyllable(note.tick);
            ++notes[note.channel];
            if (std::llabs(note.tick - syllable(k).Tick) < 2) {
                ++matches[note.channel];
            }
        }
    }
    float bestRatio = 0;
    for (int c = 0; c < 16; ++c) {
        const bool candidate = 0.7 * syllables <= notes[c] && notes[c] <= 1.3 * syllables;
        if (!candidate) {
            continue;
        }
        const float ratio = static_cast<float>(matches[c]) / static_cast<float>(notes[c]);
        if (ratio > bestRatio) {
            bestRatio = ratio;
            m_melodyChannel = c;
        }
    }
}

void LyricsModel::LyricSync(const LyricsSource &song, int markIndex, int markType) const
{
    if (markType != m_markType || !m_display) {
        return;
    }
    const auto mark = song.mark(markType, markIndex);
    if (mark && mark->track == m_lyricsTrack && mark->bytePos > 0) {
        m_display(markIndex);
    }
}

QByteArray LyricsModel::syllableBytes(int index) const
{
    const LyricSyllable &s = syllable(index);
    return line(s.Line).LineText.mid(s.Start, s.Length);
}

} // namespace melorit::lyrics
