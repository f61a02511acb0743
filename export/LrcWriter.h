#pragma once

#include "export/LyricsTimeline.h"

#include <QByteArray>
#include <QString>

// The Enhanced LRC lyrics file: UTF-8 text, "[ti:]" and "[ar:]" from the
// tags, then one line per lyrics line with its start "[mm:ss.xx]", the start
// "<mm:ss.xx>" before each syllable and the line's end after its last one.
// A blank line separates paragraphs; lines end with LF.
namespace melorit::exporting {

QByteArray RenderLrc(const LyricsTimeline &timeline, const QString &title, const QString &artist);

// "mm:ss.xx" (minutes go past 99 when they must).
QString lrcTime(std::int64_t centiseconds);

} // namespace melorit::exporting
