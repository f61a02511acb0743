#include "tools/LanguageList.h"

#include "base/Ini.h"
#include "base/Language.h"
#include "base/TextUtil.h"
#include "tools/OptionsKeys.h"

#include <QDir>

namespace melorit::tools {

QList<LanguageEntry> listLanguageFiles(const QString &folder, int limit)
{
    // By name, as the desktop lists a folder, so the same files come first
    // on every machine.
    const QDir dir(folder, options::kLanguageFilePattern, QDir::Name | QDir::IgnoreCase,
                   QDir::Files | QDir::Readable);
    QList<LanguageEntry> entries;
    for (const QString &name : dir.entryList()) {
        if (entries.size() >= limit) {
            break;
        }
        const QString file = dir.absoluteFilePath(name);
        const QString code = languageFileCode(file);
        if (!code.isEmpty()) {
            entries.append({code, file, languageFileName(file)});
        }
    }
    return entries;
}

int languageEntryIndex(const QList<LanguageEntry> &entries, const QString &name)
{
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (entries[i].name.compare(name, Qt::CaseInsensitive) == 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

QString languageBaseName(const QString &file)
{
    return text::StripExtension(text::FileNameOf(file));
}

void LanguageReloaders::set(TextWindow window, std::function<void()> load)
{
    m_loaders[static_cast<std::size_t>(window)] = std::move(load);
}

void LanguageReloaders::reloadAll() const
{
    for (const TextWindow window : kLanguageReloadOrder) {
        const auto &load = m_loaders[static_cast<std::size_t>(window)];
        if (load) {
            load();
        }
    }
}

} // namespace melorit::tools
