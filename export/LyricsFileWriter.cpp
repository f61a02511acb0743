#include "export/LyricsFileWriter.h"

#include "base/AtomicFile.h"
#include "base/CodePages.h"
#include "base/UserMessages.h"

#include <QDir>

#include <cerrno>
#include <cstring>

namespace melorit::exporting {
namespace {

const QByteArray kBreak = QByteArrayLiteral("\r\n");
const QByteArray kParagraph = QByteArrayLiteral("\r\n \r\n");

// The file holds one byte per character: a character Windows-1252 lacks,
// even one outside the 16-bit range, is one "?".
QByteArray toWindows1252(QString text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i].isHighSurrogate() && text[i + 1].isLowSurrogate()) {
            text.replace(i, 2, u'?');
        }
    }
    return codepages::encodeWindows1252(text);
}

} // namespace

QByteArray RenderKok(const LyricsTimeline &timeline)
{
    QByteArray out;
    for (const LyricsPiece &piece : timeline) {
        switch (piece.kind) {
        case LyricsPiece::Kind::Syllable:
            out += toWindows1252(piece.text) + ';' + kokTimeText(piece.seconds).toLatin1() + ';';
            break;
        case LyricsPiece::Kind::LineBreak:
            out += kBreak;
            break;
        case LyricsPiece::Kind::ParagraphBreak:
            out += kParagraph;
            break;
        }
    }
    return out;
}

QByteArray BuildLyricsText(const audio::MidiFile &song, const lyrics::LyricsModel &lyrics,
                           const LyricsFileOptions &options)
{
    return RenderKok(BuildLyricsTimeline(song, lyrics, options));
}

bool WriteTextFile(const QString &path, const QByteArray &bytes)
{
    errno = 0;
    if (writeFileAtomically(path, bytes)) {
        return true;
    }
    const int error = errno;
    QString text = QStringLiteral("The lyrics file could not be written:\n%1")
                       .arg(QDir::toNativeSeparators(path));
    if (error != 0) {
        text += QStringLiteral("\n") + QString::fromLocal8Bit(std::strerror(error));
    }
    showMessage(text, QStringLiteral("Error"), MessageIcon::Critical);
    return false;
}

bool WriteLyricsFile(const audio::MidiFile &song, const lyrics::LyricsModel &lyrics,
                     const QString &path, const LyricsFileOptions &options)
{
    return WriteTextFile(path, BuildLyricsText(song, lyrics, options) + kBreak);
}

} // namespace melorit::exporting
