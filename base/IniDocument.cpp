#include "base/IniDocument.h"

#include "base/CodePages.h"

namespace melorit::ini {
namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

std::optional<IniDocument> IniDocument::fromBytes(const QByteArray &bytes)
{
    if (bytes.contains('\0')) {
        return std::nullopt;
    }
    IniDocument doc;
    QByteArrayView body(bytes);
    if (bytes.startsWith(kUtf8Bom)) {
        doc.m_bom = true;
        body = body.sliced(kUtf8Bom.size());
    }
    if (body.isEmpty()) {
        return doc;
    }
    const QString text = codepages::decodeUtf8OrWindows1252(body);
    const qsizetype firstLf = text.indexOf(u'\n');
    doc.m_lineEnd = (firstLf > 0 && text[firstLf - 1] == u'\r') || firstLf < 0
                        ? QStringLiteral("\r\n")
                        : QStringLiteral("\n");
    doc.m_finalLineEnd = text.endsWith(u'\n');
    doc.m_lines = text.split(u'\n');
    if (doc.m_finalLineEnd) {
        doc.m_lines.removeLast();
    }
    for (QString &line : doc.m_lines) {
        if (line.endsWith(u'\r')) {
            line.chop(1);
        }
    }
    return doc;
}

std::optional<QString> IniDocument::sectionName(const QString &line)
{
    const QString t = line.trimmed();
    if (!t.startsWith(u'[')) {
        return std::nullopt;
    }
    const qsizetype close = t.indexOf(u']');
    if (close < 0) {
        return t.mid(1).trimmed();
    }
    return t.mid(1, close - 1).trimmed();
}

std::optional<IniDocument::KeyLine> IniDocument::keyLine(const QString &line)
{
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0) {
        return std::nullopt;
    }
    const QString key = line.left(eq).trimmed();
    if (key.startsWith(u';')) {
        return std::nullopt;
    }
    return KeyLine{key, line.mid(eq + 1).trimmed()};
}

qsizetype IniDocument::findSection(const QString &section) const
{
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const auto name = sectionName(m_lines[i]);
        if (name && sameName(*name, section)) {
            return i;
        }
    }
    return -1;
}

qsizetype IniDocument::sectionEnd(qsizetype header) const
{
    qsizetype i = header + 1;
    while (i < m_lines.size() && !sectionName(m_lines[i])) {
        ++i;
    }
    return i;
}

std::optional<QString> IniDocument::value(const QString &section, const QString &key) const
{
    const qsizetype header = findSection(section);
    if (header < 0) {
        return std::nullopt;
    }
    const qsizetype end = sectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i) {
        const auto kv = keyLine(m_lines[i]);
        if (kv && sameName(kv->key, key)) {
            return kv->value;
        }
    }
    return std::nullopt;
}

void IniDocument::setValue(const QString &section, const QString &key, const QString &value)
{
    const qsizetype header = findSection(section);
    if (header < 0) {
        m_lines.append(u'[' + section + u']');
        m_lines.append(key + u'=' + value);
        return;
    }
    const qsizetype end = sectionEnd(header);
    qsizetype lastEntry = header;
    for (qsizetype i = header + 1; i < end; ++i) {
        const auto kv = keyLine(m_lines[i]);
        if (kv && sameName(kv->key, key)) {
            // Keep the key's spelling and anything before the "=" as it was.
            m_lines[i] = m_lines[i].left(m_lines[i].indexOf(u'=') + 1) + value;
            return;
        }
        if (kv) {
            lastEntry = i;
        }
    }
    m_lines.insert(lastEntry + 1, key + u'=' + value);
}

QByteArray IniDocument::toBytes() const
{
    QString text = m_lines.join(m_lineEnd);
    if (m_finalLineEnd && !m_lines.isEmpty()) {
        text += m_lineEnd;
    }
    QByteArray bytes = m_bom ? kUtf8Bom : QByteArray();
    bytes += text.toUtf8();
    return bytes;
}

} // namespace melorit::ini
