// The ".kok" text of any analysed song and any rendering options: no crash,
// and a text of the file's form: "text;seconds;" entries with times as
// "digits,4 digits", CR LF breaks only, no ";" inside a text.

#include "export/LyricsFileWriter.h"
#include "fuzz/SongLyrics.h"

#include <QList>

using namespace melorit;

namespace {

bool isTime(QByteArrayView field)
{
    const qsizetype comma = field.indexOf(',');
    if (comma < 1 || field.size() - comma - 1 != 4) {
        return false;
    }
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (i != comma && (field[i] < '0' || field[i] > '9')) {
            return false;
        }
    }
    return true;
}

// Entries "text;time;" one after the other; a text may hold line breaks (the
// breaks between entries belong to the next text), and after the last entry
// come only breaks.
bool wellFormed(const QByteArray &text)
{
    const QList<QByteArray> fields = text.split(';');
    if (fields.size() % 2 != 1) {
        return false;
    }
    for (qsizetype i = 1; i < fields.size(); i += 2) {
        if (!isTime(fields[i])) {
            return false;
        }
    }
    for (const char c : fields.last()) {
        if (c != '\r' && c != '\n' && c != ' ') {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 5) {
        return 0;
    }
    exporting::LyricsFileOptions options;
    options.MaxLength = data[0] % 64;
    options.PunchActive = (data[1] & 1) != 0;
    options.PunchIn = data[2] * 0.25;
    options.PunchOut = data[3] * 0.5;
    options.TempoRatio = data[4] / 64.0;
    const auto song = fuzz::analyse(std::span<const std::uint8_t>(data + 5, size - 5));
    if (!song) {
        return 0;
    }
    const QByteArray text = exporting::BuildLyricsText(*song->file, song->lyrics, options);
    QByteArray withoutBreaks = text;
    withoutBreaks.replace("\r\n", "");
    if (withoutBreaks.contains('\r') || withoutBreaks.contains('\n')) {
        __builtin_trap();
    }
    if (!wellFormed(text)) {
        __builtin_trap();
    }
    return 0;
}
