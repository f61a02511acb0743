#include "export/StagedOutputs.h"

#include "export/LyricsFormats.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace melorit::exporting {

namespace {

constexpr int kTokenLength = 6;
constexpr int kAttempts = 100;
const QString kPartial = QStringLiteral(".partial-");

QString randomToken()
{
    static const char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString token;
    for (int i = 0; i < kTokenLength; ++i) {
        token += QLatin1Char(kAlphabet[QRandomGenerator::global()->bounded(62)]);
    }
    return token;
}

// Creates the file only when no file has that name: the name is ours.
bool createExclusive(const QString &path)
{
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    return true;
}

// "song.partial-Ab12Cd.wav" and its siblings beside "song", left by a
// conversion killed a minute ago or more (a younger one may be at work).
void removeAbandoned(const QString &full)
{
    const QFileInfo info(full);
    const QRegularExpression temporary(
        QRegularExpression::anchoredPattern(QRegularExpression::escape(info.fileName() + kPartial) +
                                            QStringLiteral("[A-Za-z0-9]{6}\\.[A-Za-z0-9]+")));
    const QDateTime old = QDateTime::currentDateTimeUtc().addSecs(-60);
    const QDir folder = info.dir();
    for (const QFileInfo &file :
         folder.entryInfoList({info.fileName() + kPartial + QStringLiteral("*")}, QDir::Files)) {
        if (temporary.match(file.fileName()).hasMatch() && file.lastModified() < old) {
            QFile::remove(file.filePath());
        }
    }
}

} // namespace

StagedOutputs::StagedOutputs(const OutputPaths &final) : m_final(final)
{
    removeAbandoned(final.Full);
    const QString extension = final.OutputPath.mid(final.Full.size());
    for (int i = 0; i < kAttempts; ++i) {
        const QString stem = final.Full + kPartial + randomToken();
        if (createExclusive(stem + extension)) {
            m_staged = {stem, stem + extension, stem + lyricsFormatExtension(LyricsFormat::Kok)};
            return;
        }
        if (errno != EEXIST) {
            return;
        }
    }
}

StagedOutputs::~StagedOutputs()
{
    if (!m_done) {
        discard();
    }
}

QList<std::pair<QString, QString>> StagedOutputs::files() const
{
    QList<std::pair<QString, QString>> result;
    for (const LyricsFormat format : kLyricsFormats) {
        result.append({lyricsFilePath(m_staged.LyricsFilePath, format),
                       lyricsFilePath(m_final.LyricsFilePath, format)});
    }
    result.append({m_staged.OutputPath, m_final.OutputPath});
    return result;
}

QList<std::pair<QString, QString>> StagedOutputs::written() const
{
    QList<std::pair<QString, QString>> result;
    for (const auto &file : files()) {
        if (QFileInfo::exists(file.first)) {
            result.append(file);
        }
    }
    return result;
}

bool StagedOutputs::commit()
{
    if (!ok()) {
        return false;
    }
    m_done = true;
    for (const auto &[staged, final] : files()) {
        if (QFileInfo::exists(staged) && ::rename(QFile::encodeName(staged).constData(),
                                                  QFile::encodeName(final).constData()) != 0) {
            discard();
            return false;
        }
    }
    return true;
}

void StagedOutputs::discard()
{
    m_done = true;
    if (!ok()) {
        return;
    }
    for (const auto &[staged, final] : files()) {
        QFile::remove(staged);
    }
}

} // namespace melorit::exporting
