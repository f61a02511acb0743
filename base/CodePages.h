#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace melorit::codepages {

// The three 8-bit encodings karaoke lyrics are written in.
enum class CodePage { Windows1252 = 0, Dos850 = 1, MacRoman = 2 };

// Character of one byte in the given code page. Bytes below 128 are ASCII in
// all three. The DOS and Mac tables hold only characters that Windows-1252
// can show: box drawing and the like are replaced by look-alikes.
QChar charOf(CodePage page, unsigned char byte);

QString decode(QByteArrayView bytes, CodePage page);
inline QString decodeWindows1252(QByteArrayView bytes)
{
    return decode(bytes, CodePage::Windows1252);
}

// Characters that Windows-1252 cannot hold become '?'.
QByteArray encodeWindows1252(const QString &text);

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool isValidUtf8(QByteArrayView bytes);

// UTF-8 when the bytes are valid UTF-8, Windows-1252 otherwise: the rule for
// text files that other programs may have written in either.
QString decodeUtf8OrWindows1252(QByteArrayView bytes);

} // namespace melorit::codepages
