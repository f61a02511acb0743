#include "tools/SoundFontInfo.h"

#include "base/CodePages.h"
#include "base/Ini.h"
#include "base/UserMessages.h"
#include "tools/OptionsKeys.h"
#include "tools/RiffFile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

namespace melorit::tools {
namespace {

// The engine name is a short text; a chunk that claims more, or holds no
// zero byte, is not read further than this.
constexpr qint64 kMaxEngineNameBytes = 65536;
constexpr qint64 kReadBlock = 4096;

const QString kLineBreak = QStringLiteral("\r\n");
const QString kMessageTitle = QStringLiteral("Melorit");

QString readEngineName(RiffFile &riff, std::uint32_t size)
{
    QByteArray text;
    qint64 left = std::min<qint64>(size, kMaxEngineNameBytes);
    while (left > 0) {
        const QByteArray block = riff.read(std::min(left, kReadBlock));
        const qsizetype zero = block.indexOf('\0');
        text.append(zero < 0 ? block : block.first(zero));
        if (zero >= 0 || block.size() < std::min(left, kReadBlock)) {
            break;
        }
        left -= block.size();
    }
    return codepages::decodeWindows1252(text);
}

} // namespace

SoundFontInfo readSoundFontInfo(QIODevice &device)
{
    SoundFontInfo info;
    device.seek(0);
    RiffFile riff(device);
    const auto bank = riff.findRiff(fourCC("sfbk"));
    if (!bank) {
        info.status = SoundFontInfoStatus::NoBank;
        return info;
    }
    if (!riff.findChunk(fourCC("LIST"), *bank)) {
        info.status = SoundFontInfoStatus::NoList;
        return info;
    }
    const auto ifil = riff.findChunk(fourCC("ifil"), *bank);
    if (!ifil) {
        info.status = SoundFontInfoStatus::NoIfil;
        return info;
    }
    // Four bytes whatever the chunk's size says, as a plain read of the file.
    QByteArray version = riff.read(4);
    version.resize(4, '\0');
    info.major = qFromLittleEndian<quint16>(version.constData());
    info.minor = qFromLittleEndian<quint16>(version.constData() + 2);
    riff.ascend(*ifil);
    const auto isng = riff.findChunk(fourCC("isng"), *bank);
    if (!isng) {
        info.status = SoundFontInfoStatus::NoIsng;
        return info;
    }
    info.engineName = readEngineName(riff, isng->size);
    info.status = SoundFontInfoStatus::Read;
    return info;
}

SoundFontInfo readSoundFontInfo(QByteArrayView bytes)
{
    // The buffer only reads, so the caller's bytes serve without a copy.
    QByteArray raw = QByteArray::fromRawData(bytes.data(), bytes.size());
    QBuffer buffer(&raw);
    buffer.open(QIODevice::ReadOnly);
    return readSoundFontInfo(buffer);
}

SoundFontInfo readSoundFontInfo(const QString &path)
{
    QFile file(path);
    // Only regular files: opening a pipe could block.
    if (path.isEmpty() || !QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return readSoundFontInfo(file);
}

QString soundFontFailureText(SoundFontInfoStatus status)
{
    switch (status) {
    case SoundFontInfoStatus::NoBank:
        return QStringLiteral("No soundfont bank found!");
    case SoundFontInfoStatus::NoList:
        return QStringLiteral("No LIST chunk found!");
    case SoundFontInfoStatus::NoIfil:
        return QStringLiteral("No ifil chunk found!");
    case SoundFontInfoStatus::NoIsng:
        return QStringLiteral("No isng chunk found!");
    case SoundFontInfoStatus::Read:
    case SoundFontInfoStatus::NotOpened:
        break;
    }
    return {};
}

QString soundFontIdentityText(const QString &path, const SoundFontInfo &info,
                              const QString &versionTemplate)
{
    const QString version = QString::number(info.major) + u'.' + QString::number(info.minor);
    QString versionLine = versionTemplate;
    versionLine.replace(QStringLiteral("%1"), version);
    return path + kLineBreak + info.engineName + kLineBreak + versionLine;
}

QString soundFontVersionTemplate(const QString &languageFile)
{
    return ReadIni(QStringLiteral("Options"), QStringLiteral("SfVersion"), languageFile);
}

namespace {

// A fact line: the language's text with its value, or the English text when
// the language file has none (a language made before the key existed).
QString factLine(const QString &languageFile, QLatin1StringView key, QLatin1StringView english,
                 const QString &value)
{
    QString text =
        languageFile.isEmpty() ? QString() : ReadIni(options::kTextSection, key, languageFile);
    if (text.isEmpty()) {
        text = english;
    }
    return text.replace(QStringLiteral("%1"), value);
}

} // namespace

QStringList loadedFontLines(const LoadedFont &font, const QString &languageFile)
{
    using namespace options;
    const QFileInfo file(font.path);
    const QString name = font.name.trimmed().isEmpty() ? file.completeBaseName() : font.name;
    QStringList lines{factLine(languageFile, kFontNameKey, kFontNameDefault, name)};
    const SoundFontInfo info = readSoundFontInfo(font.path);
    if (info.status == SoundFontInfoStatus::Read || info.status == SoundFontInfoStatus::NoIsng) {
        lines << factLine(languageFile, kVersionTemplateKey, kFontVersionDefault,
                          QString::number(info.major) + u'.' + QString::number(info.minor));
    }
    lines << factLine(languageFile, kFontFileKey, kFontFileDefault, font.path)
          << factLine(languageFile, kFontSizeKey, kFontSizeDefault, QString::number(file.size()))
          << factLine(languageFile, kFontPresetsKey, kFontPresetsDefault,
                      QString::number(font.presetCount));
    return lines;
}

QString loadedFontText(const LoadedFont &font, const QString &languageFile)
{
    return loadedFontLines(font, languageFile).join(kLineBreak);
}

void ShowSoundFontInfo(const std::optional<LoadedFont> &font, const QString &languageFile)
{
    const QString text =
        font ? loadedFontText(*font, languageFile)
             : ReadIni(QStringLiteral("Main"), QStringLiteral("SF2NoneInfo"), languageFile);
    showMessage(text, kMessageTitle, MessageIcon::Information);
}

} // namespace melorit::tools
