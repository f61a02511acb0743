#include "cli/ConvertManifest.h"

#include "base/AtomicFile.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <mutex>

namespace melorit::cli {
namespace {

const QString kManifestName = QStringLiteral(".melorit-manifest.jsonl");
const QString kLockName = QStringLiteral(".melorit-manifest.lock");

qint64 modifiedMs(const QFileInfo &info)
{
    return info.lastModified().toMSecsSinceEpoch();
}

QString hashFile(const QString &path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file)) {
        return {};
    }
    return QString::fromLatin1(hash.result().toHex());
}

// Hashes by path, size and time: a SoundFont of a few hundred megabytes is
// read once a process, not once a song.
QString cachedHash(const QString &path, qint64 size, qint64 modified)
{
    static std::mutex mutex;
    static QHash<QString, QString> hashes;
    const QString key = path + u'\n' + QString::number(size) + u'\n' + QString::number(modified);
    {
        std::lock_guard lock(mutex);
        if (const auto it = hashes.constFind(key); it != hashes.cend()) {
            return *it;
        }
    }
    const QString hash = hashFile(path);
    std::lock_guard lock(mutex);
    hashes.insert(key, hash);
    return hash;
}

bool sameContent(const InputFile &a, const InputFile &b)
{
    return a.exists == b.exists && a.size == b.size && a.sha256 == b.sha256;
}

bool sameInputs(const QJsonArray &recorded, const QList<InputFile> &now)
{
    if (recorded.size() != now.size()) {
        return false;
    }
    for (const InputFile &file : now) {
        const auto found = std::find_if(recorded.begin(), recorded.end(), [&](const auto &value) {
            return value.toObject().value(u"role").toString() == file.role;
        });
        if (found == recorded.end() || !sameContent(InputFile::fromJson(found->toObject()), file)) {
            return false;
        }
    }
    return true;
}

// The lines of a manifest, those that do not read as objects left out.
QList<QJsonObject> readLines(const QString &manifest)
{
    QFile file(manifest);
    QList<QJsonObject> lines;
    if (!file.open(QIODevice::ReadOnly)) {
        return lines;
    }
    for (const QByteArray &line : file.readAll().split('\n')) {
        const QJsonDocument document = QJsonDocument::fromJson(line);
        if (document.isObject()) {
            lines << document.object();
        }
    }
    return lines;
}

// The output as written: there, with the size and time recorded.
bool outputIntact(const QString &folder, const QJsonObject &line)
{
    const QFileInfo info(QDir(folder).filePath(line.value(u"output").toString()));
    return info.isFile() && info.size() == line.value(u"size").toInteger(-1) &&
           modifiedMs(info) == line.value(u"modified").toInteger(-1);
}

// An exclusive lock on the manifest's lock file for as long as it lives.
class FolderLock {
public:
    explicit FolderLock(const QString &folder)
        : m_fd(::open(QFile::encodeName(QDir(folder).filePath(kLockName)).constData(),
                      O_RDWR | O_CREAT | O_CLOEXEC, 0644))
    {
        while (m_fd >= 0 && ::flock(m_fd, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    ~FolderLock()
    {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;
    bool ok() const { return m_fd >= 0; }

private:
    int m_fd;
};

// The lines of the section names given (lower case) of an INI text, each
// prefixed with its section; keys of other sections only when listed as
// "section/key".
QStringList iniLines(const QByteArray &text, const QStringList &sections, const QStringList &keys)
{
    QStringList lines;
    QString section;
    for (const QByteArray &raw : text.split('\n')) {
        const QString line = QString::fromLatin1(raw.trimmed());
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            section = line.mid(1, line.size() - 2).trimmed().toLower();
            continue;
        }
        const QString key = section + u'/' + line.section(u'=', 0, 0).trimmed().toLower();
        if (!line.isEmpty() && !line.startsWith(u';') &&
            (sections.contains(section) || keys.contains(key))) {
            lines << section + u'/' + line;
        }
    }
    lines.sort();
    return lines;
}

} // namespace

QJsonObject InputFile::toJson() const
{
    return {{QStringLiteral("role"), role},         {QStringLiteral("path"), path},
            {QStringLiteral("exists"), exists},     {QStringLiteral("size"), size},
            {QStringLiteral("modified"), modified}, {QStringLiteral("sha256"), sha256}};
}

InputFile InputFile::fromJson(const QJsonObject &o)
{
    return {o.value(u"role").toString(),      o.value(u"path").toString(),
            o.value(u"exists").toBool(),      o.value(u"size").toInteger(),
            o.value(u"modified").toInteger(), o.value(u"sha256").toString()};
}

InputFile describeInput(const QString &role, const QString &path)
{
    InputFile file;
    file.role = role;
    file.path = QFileInfo(path).absoluteFilePath();
    const QFileInfo info(path);
    file.exists = info.isFile();
    if (file.exists) {
        file.size = info.size();
        file.modified = modifiedMs(info);
        file.sha256 = cachedHash(file.path, file.size, file.modified);
    }
    return file;
}

QString settingsDigest(const QString &configFile, const QStringList &options)
{
    QFile file(configFile);
    const QByteArray config = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    QStringList parts{QStringLiteral("melorit convert 1")};
    parts << iniLines(config,
                      {QStringLiteral("wave"), QStringLiteral("lyrics"), QStringLiteral("video")},
                      {QStringLiteral("melorit/automute")});
    QStringList sortedOptions = options;
    sortedOptions.sort();
    parts << sortedOptions;
    return QString::fromLatin1(
        QCryptographicHash::hash(parts.join(u'\n').toUtf8(), QCryptographicHash::Sha256).toHex());
}

QString Manifest::pathFor(const QString &outputPath)
{
    return QFileInfo(outputPath).dir().filePath(kManifestName);
}

Manifest::Check Manifest::check(const QString &audioOutput, const ConversionInputs &now)
{
    const QString folder = QFileInfo(audioOutput).path();
    const QString name = QFileInfo(audioOutput).fileName();
    Check check;
    bool intact = true;
    bool current = true;
    for (const QJsonObject &line : readLines(pathFor(audioOutput))) {
        if (line.value(u"of").toString() != name) {
            continue;
        }
        const QString output = QDir(folder).filePath(line.value(u"output").toString());
        if (line.value(u"output").toString() == name) {
            check.state = State::Stale;
            check.seconds = line.value(u"seconds").toDouble();
            check.outputs.prepend(output);
        } else {
            check.outputs.append(output);
        }
        intact = intact && outputIntact(folder, line);
        current = current && line.value(u"settings").toString() == now.settings &&
                  sameInputs(line.value(u"inputs").toArray(), now.files);
    }
    if (check.state == State::Stale && intact && current) {
        check.state = State::UpToDate;
    }
    return check;
}

bool Manifest::record(const QList<std::pair<QString, QString>> &files,
                      const ConversionInputs &inputs, double seconds)
{
    if (files.isEmpty()) {
        return false;
    }
    const QFileInfo audio(files.last().second);
    const QString folder = audio.path();
    QJsonArray inputArray;
    for (const InputFile &file : inputs.files) {
        inputArray.append(file.toJson());
    }
    FolderLock lock(folder);
    if (!lock.ok()) {
        return false;
    }
    const QString manifest = pathFor(audio.filePath());
    QByteArray text;
    // Earlier lines of this song's outputs go, so a lyrics format no longer
    // written is no longer expected.
    for (const QJsonObject &line : readLines(manifest)) {
        if (line.value(u"of").toString() != audio.fileName()) {
            text += QJsonDocument(line).toJson(QJsonDocument::Compact) + '\n';
        }
    }
    for (const auto &[staged, final] : files) {
        const QFileInfo written(staged);
        const QJsonObject line{{QStringLiteral("output"), QFileInfo(final).fileName()},
                               {QStringLiteral("of"), audio.fileName()},
                               {QStringLiteral("size"), written.size()},
                               {QStringLiteral("modified"), modifiedMs(written)},
                               {QStringLiteral("seconds"), seconds},
                               {QStringLiteral("settings"), inputs.settings},
                               {QStringLiteral("inputs"), inputArray}};
        text += QJsonDocument(line).toJson(QJsonDocument::Compact) + '\n';
    }
    return writeFileAtomically(manifest, text);
}

} // namespace melorit::cli
