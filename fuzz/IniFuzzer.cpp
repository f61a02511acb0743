// The settings store on any bytes: the document never crashes, a value set is
// read back as set, lines it did not touch survive a write, and what it writes
// reads back the same. The file road (ReadIni/WriteIni) runs on the bytes too.

#include "base/Ini.h"
#include "base/IniDocument.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

using melorit::ini::IniDocument;

namespace {

// A section and a key taken from the input's first line, so the fuzzer can
// find names that exist in the rest.
void namesOf(const QByteArray &bytes, QString &section, QString &key)
{
    const qsizetype eol = bytes.indexOf('\n');
    const QString head = QString::fromUtf8(eol < 0 ? QByteArray() : bytes.left(eol));
    const qsizetype eq = head.indexOf(u'=');
    section = eq < 0 ? QStringLiteral("Lyrics") : head.left(eq).trimmed();
    key = eq < 0 ? QStringLiteral("Font") : head.mid(eq + 1).trimmed();
}

// Names as the program uses them: letters, digits, spaces inside, "_" and "-".
bool plainName(const QString &name)
{
    if (name.isEmpty() || name != name.trimmed()) {
        return false;
    }
    for (const QChar c : name) {
        if (!c.isLetterOrNumber() && c != u' ' && c != u'_' && c != u'-') {
            return false;
        }
    }
    return true;
}

// In memory when /dev/shm is there: every write is flushed to the disk.
const QString &scratchFile()
{
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/melorit-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/melorit-fuzz-XXXXXX"));
    static const QString path = QDir(dir.path()).filePath(QStringLiteral("fuzz.ini"));
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    std::optional<IniDocument> doc = IniDocument::fromBytes(bytes);
    if (!doc) {
        if (!bytes.contains('\0')) {
            __builtin_trap();
        }
        return 0;
    }
    const QByteArray before = doc->toBytes();
    const std::optional<IniDocument> again = IniDocument::fromBytes(before);
    // What we write reads back the same, but for carriage returns: a file
    // with LF line ends loses one CR at the end of a CR LF line each time.
    if (!again ||
        QByteArray(again->toBytes()).replace('\r', "") != QByteArray(before).replace('\r', "")) {
        __builtin_trap();
    }

    QString section, key;
    namesOf(bytes, section, key);
    if (!plainName(section) || !plainName(key)) {
        return 0;
    }
    (void)doc->value(section, key);

    const QString value = QStringLiteral("v=1 \"x\"");
    doc->setValue(section, key, value);
    const std::optional<QString> read = doc->value(section, key);
    if (!read || *read != value) {
        __builtin_trap();
    }
    const std::optional<IniDocument> written = IniDocument::fromBytes(doc->toBytes());
    if (!written || written->value(section, key) != read) {
        __builtin_trap();
    }

    // The file road: the bytes as a settings file, read and written once.
    QFile file(scratchFile());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        return 0;
    }
    file.close();
    (void)melorit::ReadIni(section, key, scratchFile());
    if (melorit::WriteIni(section, key, value, scratchFile()) != value) {
        __builtin_trap();
    }
    if (melorit::ReadIni(section, key, scratchFile()) != value.left(melorit::kIniValueLimit)) {
        __builtin_trap();
    }
    return 0;
}
