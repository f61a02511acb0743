#include "party/PartyCards.h"

#include "base/Language.h"
#include "base/TextUtil.h"
#include "lyrics/LyricsFrame.h"
#include "lyrics/LyricsModel.h"
#include "party/PartyKeys.h"

namespace melorit::party {
namespace {

QString textOr(const QString &languageFile, QLatin1StringView key, QStringView fallback)
{
    const QString text = languageText(languageFile, keys::kCardSection, key);
    return text.isEmpty() ? fallback.toString() : text;
}

double secondsBetween(const lyrics::LyricSyllable &a, const lyrics::LyricSyllable &b,
                      std::int64_t tick)
{
    const double span = double(b.Tick) - double(a.Tick);
    if (span <= 0) {
        return b.Time;
    }
    return a.Time + (b.Time - a.Time) * (double(tick) - double(a.Tick)) / span;
}

QString nextLine(const NextCard &next, const CardTexts &texts)
{
    if (next.singer.isEmpty()) {
        return text::fillPlaceholders(texts.nextSong, next.title);
    }
    return text::fillPlaceholders(texts.next, next.singer, next.title);
}

CardPlan nextCard(const std::optional<NextCard> &next, const CardTexts &texts)
{
    CardPlan plan;
    if (next) {
        plan.kind = CardKind::Next;
        plan.lines = {nextLine(*next, texts)};
    }
    return plan;
}

CardPlan titleCard(const SongCard &song, const CardTexts &texts)
{
    CardPlan plan;
    for (const QString &line :
         {song.title, song.artist,
          song.singer.isEmpty() ? QString() : text::fillPlaceholders(texts.sungBy, song.singer)}) {
        if (!line.trimmed().isEmpty()) {
            plan.lines.append(line.trimmed());
        }
    }
    plan.kind = plan.lines.isEmpty() ? CardKind::None : CardKind::Title;
    return plan;
}

// The share of the countdown left before the syllable after `current`, when
// that syllable ends a long gap; below 0 otherwise.
float countdownLeft(const lyrics::LyricsModel &model, int current, double now)
{
    if (current >= model.SyllableCount()) {
        return -1;
    }
    const double gapStart = current > 0 ? model.syllable(current).Time : 0.0;
    const double next = model.syllable(current + 1).Time;
    const double left = next - now;
    if (next - gapStart <= kLongGapSeconds || left <= 0 || left > kCountdownSeconds) {
        return -1;
    }
    return static_cast<float>(left / kCountdownSeconds);
}

} // namespace

CardTexts cardTexts(const QString &languageFile)
{
    return CardTexts{textOr(languageFile, keys::kNextKey, keys::kNextDefault),
                     textOr(languageFile, keys::kNextSongKey, keys::kNextSongDefault),
                     textOr(languageFile, keys::kSungByKey, keys::kSungByDefault)};
}

std::optional<double> songSecondsAt(const lyrics::LyricsModel &model, std::int64_t tick)
{
    const int count = model.SyllableCount();
    if (count == 0) {
        return std::nullopt;
    }
    const lyrics::LyricSyllable start{};
    const int current = lyrics::currentSyllable(model, tick);
    if (current == 0) {
        return secondsBetween(start, model.syllable(1), tick);
    }
    if (current < count) {
        return secondsBetween(model.syllable(current), model.syllable(current + 1), tick);
    }
    // After the last syllable: the pace of the whole song so far.
    const lyrics::LyricSyllable &last = model.syllable(count);
    const lyrics::LyricSyllable &from = last.Tick > 0 ? start : model.syllable(1);
    if (last.Tick <= from.Tick) {
        return last.Time;
    }
    return secondsBetween(from, last, tick);
}

CardPlan planCards(const CardState &state, const CardTexts &texts)
{
    if (!state.partyScreen) {
        const bool waiting = !state.playing && state.model && state.model->SyllableCount() > 0;
        return waiting ? titleCard(state.song, texts) : CardPlan{};
    }
    if (!state.playing) {
        return nextCard(state.next, texts);
    }
    const std::optional<double> now =
        state.model ? songSecondsAt(*state.model, state.tick) : std::nullopt;
    if (!now) {
        return {};
    }
    const lyrics::LyricsModel &model = *state.model;
    const int current = lyrics::currentSyllable(model, state.tick);
    CardPlan plan;
    if (*now < kTitleCardSeconds) {
        plan = titleCard(state.song, texts);
    } else if (current == model.SyllableCount() &&
               *now - model.syllable(current).Time >= kNextAfterLastSeconds) {
        plan = nextCard(state.next, texts);
    }
    plan.countdown = countdownLeft(model, current, *now);
    if (plan.countdown >= 0) {
        plan.countdownLine = model.syllable(current + 1).Line;
    }
    return plan;
}

} // namespace melorit::party
