#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace melorit::ini {

// The text of one INI-format file, line by line, as a private-profile reader
// sees it: "[section]" headers, "key=value" lines, names matched without
// regard to case, everything else (comments, blank lines) kept as it is.
class IniDocument {
public:
    // Decodes UTF-8 or, when the bytes are not valid UTF-8, Windows-1252.
    // Returns nothing for data that is not text (NUL bytes).
    static std::optional<IniDocument> fromBytes(const QByteArray &bytes);

    // The raw value of a key, trimmed, or nothing when the section or the key
    // is missing. The first matching section and key win.
    std::optional<QString> value(const QString &section, const QString &key) const;

    // Sets a key, creating the section at the end and the key after the last
    // entry of its section when they do not exist. Other lines are untouched.
    void setValue(const QString &section, const QString &key, const QString &value);

    // UTF-8, with the line ends the file had (CR LF for a new file).
    QByteArray toBytes() const;

private:
    struct KeyLine {
        QString key;
        QString value;
    };
    static std::optional<QString> sectionName(const QString &line);
    static std::optional<KeyLine> keyLine(const QString &line);
    qsizetype findSection(const QString &section) const;
    qsizetype sectionEnd(qsizetype header) const;

    QStringList m_lines;
    QString m_lineEnd = QStringLiteral("\r\n");
    bool m_bom = false;
    bool m_finalLineEnd = true;
};

} // namespace melorit::ini
