#include "base/Language.h"
#include "base/Ini.h"
#include "base/IniDocument.h"
#include "base/LanguageKeys.h"
#include "base/ProgramPaths.h"
#include "base/TextUtil.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>

using namespace melorit;
using namespace Qt::StringLiterals;

namespace {

// Texts compared as UTF-8 strings, so that a failure shows them readably.
std::string u8(const QString &text)
{
    return text.toStdString();
}

QString outputFile(const char *name)
{
    return QStringLiteral(MELORIT_OUTPUT_DIR "/") + QString::fromUtf8(name);
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString keyName(const LanguageKey &k)
{
    return QString::fromUtf8(k.section) + u'/' + QString::fromUtf8(k.key);
}

QString lowerName(const QString &section, const QString &key)
{
    return (section + u'/' + key).toLower();
}

// One "key=value" line of a language file, as written (outer quotes removed,
// not cut to the read limit).
struct Entry {
    QString section;
    QString key;
    QString value;
};

std::vector<Entry> entriesOf(const QString &path)
{
    std::vector<Entry> entries;
    QString section;
    const QString text = QString::fromUtf8(readBytes(path));
    for (QString line : text.split(QStringLiteral("\r\n"))) {
        line = line.trimmed();
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            section = line.mid(1, line.size() - 2);
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0) {
            continue;
        }
        QString value = line.mid(eq + 1).trimmed();
        if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"')) {
            value = value.mid(1, value.size() - 2);
        }
        entries.push_back({section, line.left(eq).trimmed(), value});
    }
    return entries;
}

std::set<int> placeholdersOf(const QString &text)
{
    static const QRegularExpression placeholder(QStringLiteral("%([1-9])"));
    std::set<int> found;
    for (const auto &m : placeholder.globalMatch(text)) {
        found.insert(m.captured(1).toInt());
    }
    return found;
}

QString describe(const std::set<int> &set)
{
    QStringList parts;
    for (int n : set) {
        parts << u'%' + QString::number(n);
    }
    return u'{' + parts.join(u' ') + u'}';
}

// What the readers fill in: every other text is shown as it is, so a "%n"
// in it would reach the screen.
const std::map<QString, std::set<int>> &expectedPlaceholders()
{
    static const std::map<QString, std::set<int>> table = {
        {lowerName(u"Main"_s, u"Titre(n)"_s), {1, 2}},
        {lowerName(u"Main"_s, u"Main.Caption"_s), {1}},
        {lowerName(u"Main"_s, u"SM(Start-1)"_s), {1}},
        {lowerName(u"Main"_s, u"SM(End-1)"_s), {1}},
        {lowerName(u"Main"_s, u"OverWriteText"_s), {1}},
        {lowerName(u"Main"_s, u"Knob(Gain)"_s), {1}},
        {lowerName(u"Main"_s, u"Knob(Transpose)"_s), {1}},
        {lowerName(u"Main"_s, u"SF2LoadInfo"_s), {1, 2, 3}},
        {lowerName(u"Main"_s, u"Status(Saved)"_s), {1}},
        {lowerName(u"Main"_s, u"Status(SavedHeld)"_s), {1, 2}},
        {lowerName(u"Main"_s, u"Status(Incomplete)"_s), {1}},
        {lowerName(u"Main"_s, u"Status(Failed)"_s), {1}},
        {lowerName(u"About"_s, u"Caption"_s), {1}},
        {lowerName(u"About"_s, u"Version"_s), {1, 2, 3}},
        {lowerName(u"About"_s, u"CopyrightInfo"_s), {1, 2, 3, 4}},
        {lowerName(u"PlayList"_s, u"M3ULOADCMD.Filter"_s), {1, 2, 3, 4}},
        {lowerName(u"PlayList"_s, u"M3USAVECMD.Filter"_s), {1, 2, 3, 4}},
        {lowerName(u"PlayList"_s, u"MIDOPENCMD.Filter"_s), {1, 2}},
        {lowerName(u"Options"_s, u"SfVersion"_s), {1}},
        {lowerName(u"Options"_s, u"SfName"_s), {1}},
        {lowerName(u"Options"_s, u"SfFile"_s), {1}},
        {lowerName(u"Options"_s, u"SfSize"_s), {1}},
        {lowerName(u"Options"_s, u"SfPresets"_s), {1}},
        {lowerName(u"Score"_s, u"Song"_s), {1}},
        {lowerName(u"Score"_s, u"Best"_s), {1}},
        {lowerName(u"Score"_s, u"Line"_s), {1}},
        {lowerName(u"Score"_s, u"Listening"_s), {1}},
        {lowerName(u"Score"_s, u"NoDevice"_s), {1}},
        {lowerName(u"Paroles"_s, u"Next"_s), {1, 2}},
        {lowerName(u"Paroles"_s, u"NextSong"_s), {1}},
        {lowerName(u"Paroles"_s, u"SungBy"_s), {1}},
    };
    return table;
}

// Keys whose shipped text is deliberately blank: the empty-genre entry of
// the genre list is saved as the genre, so it must stay empty.
bool mayBeBlank(const LanguageKey &k)
{
    return lowerName(QString::fromUtf8(k.section), QString::fromUtf8(k.key)) ==
           lowerName(u"Tags"_s, u"NullGenre"_s);
}

ini::IniDocument loadDocument(const QString &path)
{
    auto doc = ini::IniDocument::fromBytes(readBytes(path));
    return doc ? *doc : ini::IniDocument();
}

// ---------------------------------------------------------------------------
// The registry of keys

TEST(LanguageKeys, EachKeyIsListedOnce)
{
    QSet<QString> seen;
    for (const LanguageKey &k : allLanguageKeys()) {
        const QString name = lowerName(QString::fromUtf8(k.section), QString::fromUtf8(k.key));
        EXPECT_FALSE(seen.contains(name)) << "listed twice: " << keyName(k).toStdString();
        seen.insert(name);
    }
}

TEST(LanguageKeys, ControlArraysExpandToEveryIndexTheWindowsUse)
{
    QSet<QString> listed;
    for (const LanguageKey &k : allLanguageKeys()) {
        listed.insert(lowerName(QString::fromUtf8(k.section), QString::fromUtf8(k.key)));
    }
    auto expectRange = [&](const QString &section, const QString &stem, int first, int last) {
        for (int i = first; i <= last; ++i) {
            EXPECT_TRUE(listed.contains(lowerName(section, indexedKey(stem, i))))
                << section.toStdString() << '/' << indexedKey(stem, i).toStdString();
        }
    };
    expectRange(u"Main"_s, u"SM"_s, 0, 0);
    expectRange(u"Main"_s, u"SM"_s, 16, 16);
    expectRange(u"Main"_s, u"SM"_s, 32, 50);
    expectRange(u"Main"_s, u"Vol"_s, 0, 2);
    expectRange(u"Tags"_s, u"Label"_s, 0, 10);
    expectRange(u"PlayList"_s, u"SM"_s, 48, 54);
    expectRange(u"Options"_s, u"Onglet"_s, 0, 2);
    expectRange(u"Reverb"_s, u"Ctrl"_s, 96, 106);
    // The mute and solo buttons share one text per row: no per-button keys.
    EXPECT_FALSE(listed.contains(lowerName(u"Main"_s, u"SM(1)"_s)));
    EXPECT_FALSE(listed.contains(lowerName(u"Main"_s, u"SM(17)"_s)));
}

TEST(LanguageKeys, IndexedKeyWritesTheIndexWithoutSpaces)
{
    EXPECT_EQ(u8(indexedKey(u"SM"_s, 3)), "SM(3)");
    EXPECT_EQ(u8(indexedKey(u"Ctrl"_s, 106)), "Ctrl(106)");
    EXPECT_EQ(u8(indexedKey(u"Onglet"_s, 0)), "Onglet(0)");
}

// ---------------------------------------------------------------------------
// The shipped language files, as the build puts them beside the programs

class ShippedLanguageFile : public ::testing::TestWithParam<const char *> {
protected:
    QString path() const { return outputFile(GetParam()); }
};

TEST_P(ShippedLanguageFile, HoldsEveryKey)
{
    ASSERT_TRUE(QFile::exists(path())) << path().toStdString();
    const ini::IniDocument doc = loadDocument(path());
    QStringList missing;
    QStringList blank;
    for (const LanguageKey &k : allLanguageKeys()) {
        const QString section = QString::fromUtf8(k.section);
        const QString key = QString::fromUtf8(k.key);
        if (!doc.value(section, key)) {
            missing << keyName(k);
        } else if (!mayBeBlank(k) && ReadIni(section, key, path()).isEmpty()) {
            blank << keyName(k);
        }
    }
    EXPECT_TRUE(missing.isEmpty()) << "missing: " << missing.join(u", "_s).toStdString();
    EXPECT_TRUE(blank.isEmpty()) << "empty: " << blank.join(u", "_s).toStdString();
}

TEST_P(ShippedLanguageFile, HoldsOnlyRegisteredKeys)
{
    QSet<QString> listed;
    for (const LanguageKey &k : allLanguageKeys()) {
        listed.insert(lowerName(QString::fromUtf8(k.section), QString::fromUtf8(k.key)));
    }
    const std::vector<Entry> entries = entriesOf(path());
    ASSERT_FALSE(entries.empty());
    for (const Entry &e : entries) {
        EXPECT_TRUE(listed.contains(lowerName(e.section, e.key)))
            << "unknown key " << e.section.toStdString() << '/' << e.key.toStdString();
    }
}

TEST_P(ShippedLanguageFile, NamesItsOwnCode)
{
    const QString expected = QString::fromUtf8(GetParam()) == u"en.lng"_s ? u"en"_s : u"fr"_s;
    EXPECT_EQ(u8(ReadIni(u"MELORIT"_s, u"Lng"_s, path())), u8(expected));
    EXPECT_TRUE(isLanguageFile(path()));
}

TEST_P(ShippedLanguageFile, NoValueExceedsTheReadLimit)
{
    const std::vector<Entry> entries = entriesOf(path());
    ASSERT_FALSE(entries.empty());
    for (const Entry &e : entries) {
        EXPECT_LE(e.value.size(), kIniValueLimit)
            << e.section.toStdString() << '/' << e.key.toStdString() << " has " << e.value.size()
            << " characters";
    }
}

TEST_P(ShippedLanguageFile, PlaceholdersAreTheOnesTheReadersFill)
{
    const auto &expected = expectedPlaceholders();
    for (const LanguageKey &k : allLanguageKeys()) {
        const QString section = QString::fromUtf8(k.section);
        const QString key = QString::fromUtf8(k.key);
        const auto it = expected.find(lowerName(section, key));
        const std::set<int> want = it == expected.end() ? std::set<int>{} : it->second;
        const std::set<int> got = placeholdersOf(ReadIni(section, key, path()));
        EXPECT_EQ(got, want) << keyName(k).toStdString() << " holds " << describe(got).toStdString()
                             << ", the reader fills " << describe(want).toStdString();
    }
}

TEST_P(ShippedLanguageFile, IsUtf8WithoutBomAndCrLfLineEnds)
{
    const QByteArray bytes = readBytes(path());
    ASSERT_FALSE(bytes.isEmpty());
    EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF"));
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(bytes);
    EXPECT_FALSE(decoder.hasError());
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare line feed at byte " << i;
        }
        if (bytes[i] == '\r') {
            ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "bare CR at byte " << i;
        }
    }
}

TEST_P(ShippedLanguageFile, FileDialogFiltersPairDescriptionsWithPatterns)
{
    const QString extensions = ReadIni(u"Main"_s, u"Extmid"_s, path()).toLower();
    QString songPatterns = u"*."_s + extensions;
    songPatterns.replace(u","_s, u";*."_s);
    const struct {
        const char *section;
        const char *key;
        QString a1, a2, a3, a4;
    } filters[] = {
        {"Main", "SF2CMD.Filter", {}, {}, {}, {}},
        {"PlayList", "M3ULOADCMD.Filter", u".mpl"_s, u"*.mpl"_s, u".m3u"_s, u"*.m3u"_s},
        {"PlayList", "M3USAVECMD.Filter", u".mpl"_s, u"*.mpl"_s, u".m3u"_s, u"*.m3u"_s},
        {"PlayList", "MIDOPENCMD.Filter", extensions, songPatterns, {}, {}},
    };
    static const QRegularExpression pattern(QStringLiteral("^\\*[^;|]*(;\\*[^;|]*)*$"));
    for (const auto &f : filters) {
        const QString name = QString::fromUtf8(f.section) + u'/' + QString::fromUtf8(f.key);
        const QString filter = text::fillPlaceholders(
            ReadIni(QString::fromUtf8(f.section), QString::fromUtf8(f.key), path()), f.a1, f.a2,
            f.a3, f.a4);
        const QStringList parts = filter.split(u'|');
        ASSERT_EQ(parts.size() % 2, 0) << name.toStdString() << ": " << filter.toStdString();
        for (qsizetype i = 0; i < parts.size(); i += 2) {
            EXPECT_FALSE(parts[i].trimmed().isEmpty()) << name.toStdString();
            EXPECT_TRUE(pattern.match(parts[i + 1]).hasMatch())
                << name.toStdString() << ": pattern " << parts[i + 1].toStdString();
        }
        EXPECT_EQ(fileDialogFilter(filter).split(u";;"_s).size(), parts.size() / 2)
            << name.toStdString();
    }
}

TEST_P(ShippedLanguageFile, DropExtensionsAreCommaListsWithoutDots)
{
    const QString songs = ReadIni(u"Main"_s, u"Extmid"_s, path());
    const QString fonts = ReadIni(u"Main"_s, u"ExtSF2"_s, path());
    for (const QString &list : {songs, fonts}) {
        EXPECT_FALSE(list.contains(u'.')) << list.toStdString();
        EXPECT_FALSE(list.contains(u' ')) << list.toStdString();
        for (const QString &ext : list.split(u',')) {
            EXPECT_FALSE(ext.isEmpty()) << list.toStdString();
        }
    }
    const QStringList songList = songs.toUpper().split(u',');
    EXPECT_TRUE(songList.contains(u"MID"_s));
    EXPECT_TRUE(songList.contains(u"KAR"_s));
    EXPECT_TRUE(fonts.toUpper().split(u',').contains(u"SF2"_s));
}

INSTANTIATE_TEST_SUITE_P(Shipped, ShippedLanguageFile,
                         ::testing::Values("fr.lng", "en.lng", "melorit.dll"),
                         [](const ::testing::TestParamInfo<const char *> &param) {
                             std::string name = param.param;
                             for (char &c : name) {
                                 if (c == '.') {
                                     c = '_';
                                 }
                             }
                             return name;
                         });

TEST(LanguageFiles, FrenchAndEnglishHoldTheSamePlaceholders)
{
    const QString fr = outputFile("fr.lng");
    const QString en = outputFile("en.lng");
    for (const LanguageKey &k : allLanguageKeys()) {
        const QString section = QString::fromUtf8(k.section);
        const QString key = QString::fromUtf8(k.key);
        const std::set<int> inFrench = placeholdersOf(ReadIni(section, key, fr));
        const std::set<int> inEnglish = placeholdersOf(ReadIni(section, key, en));
        EXPECT_EQ(inFrench, inEnglish)
            << keyName(k).toStdString() << ": fr " << describe(inFrench).toStdString() << ", en "
            << describe(inEnglish).toStdString();
    }
}

TEST(LanguageFiles, TheFirstRunFileIsTheFrenchFile)
{
    EXPECT_TRUE(readBytes(outputFile("melorit.dll")) == readBytes(outputFile("fr.lng")))
        << "melorit.dll differs from fr.lng";
}

// ---------------------------------------------------------------------------
// Choosing the language file at start-up

class ChooseLanguageFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        paths::setProgramFolder(m_dir.path());
    }
    void TearDown() override { paths::setProgramFolder({}); }

    QString file(const QString &name) const { return paths::programFile(name); }

    void write(const QString &name, const QByteArray &bytes) const
    {
        QFile f(file(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    void writeLanguage(const QString &name, const QByteArray &code) const
    {
        write(name, "[MELORIT]\r\nLng=" + code + "\r\n[Main]\r\nCaption=Melorit\r\n");
    }
    // An INI file that does not name a language.
    void writeOther(const QString &name) const { write(name, "[Main]\r\nCaption=Melorit\r\n"); }

    QTemporaryDir m_dir;
};

TEST_F(ChooseLanguageFile, UsesTheConfiguredCodesFile)
{
    writeLanguage(u"en.lng"_s, "en");
    writeLanguage(u"fr.lng"_s, "fr");
    writeLanguage(u"melorit.dll"_s, "fr");
    const LanguageChoice choice = chooseLanguageFile(u"en"_s);
    EXPECT_TRUE(choice.found);
    EXPECT_FALSE(choice.firstRun);
    EXPECT_EQ(u8(choice.file), u8(file(u"en.lng"_s)));
    EXPECT_EQ(u8(choice.code), "en");
}

TEST_F(ChooseLanguageFile, FindsAFileWithAnAccentedName)
{
    writeLanguage(u"português.lng"_s, "pt");
    writeLanguage(u"fr.lng"_s, "fr");
    const LanguageChoice choice = chooseLanguageFile(u"português"_s);
    EXPECT_TRUE(choice.found);
    EXPECT_EQ(u8(choice.file), u8(file(u"português.lng"_s)));
    EXPECT_EQ(u8(choice.code), "pt");
}

TEST_F(ChooseLanguageFile, MissingConfiguredFileFallsBackToFrench)
{
    writeLanguage(u"fr.lng"_s, "fr");
    writeLanguage(u"melorit.dll"_s, "fr");
    const LanguageChoice choice = chooseLanguageFile(u"de"_s);
    EXPECT_TRUE(choice.found);
    EXPECT_EQ(u8(choice.file), u8(file(u"fr.lng"_s)));
    EXPECT_EQ(u8(choice.code), "fr");
}

TEST_F(ChooseLanguageFile, FileWithoutCodeIsNotALanguageFile)
{
    writeOther(u"de.lng"_s);
    writeLanguage(u"fr.lng"_s, "fr");
    EXPECT_FALSE(isLanguageFile(file(u"de.lng"_s)));
    const LanguageChoice choice = chooseLanguageFile(u"de"_s);
    EXPECT_EQ(u8(choice.file), u8(file(u"fr.lng"_s)));
}

TEST_F(ChooseLanguageFile, FallsBackToMeloritDllWhenFrenchIsMissing)
{
    writeOther(u"fr.lng"_s);
    writeLanguage(u"melorit.dll"_s, "fr");
    const LanguageChoice choice = chooseLanguageFile(u"de"_s);
    EXPECT_TRUE(choice.found);
    EXPECT_EQ(u8(choice.file), u8(file(u"melorit.dll"_s)));
    EXPECT_EQ(u8(choice.code), "fr");
}

TEST_F(ChooseLanguageFile, NothingUsableIsNotFoundAndNamesMeloritDll)
{
    writeOther(u"de.lng"_s);
    writeOther(u"fr.lng"_s);
    const LanguageChoice choice = chooseLanguageFile(u"de"_s);
    EXPECT_FALSE(choice.found);
    EXPECT_EQ(u8(choice.file), u8(file(u"melorit.dll"_s)));
    EXPECT_TRUE(choice.file.endsWith(u"/melorit.dll"_s));
    EXPECT_TRUE(choice.code.isEmpty());
}

TEST_F(ChooseLanguageFile, AMeloritDllThatIsNoLanguageFileIsNotFound)
{
    writeOther(u"melorit.dll"_s);
    const LanguageChoice choice = chooseLanguageFile(u"fr"_s);
    EXPECT_FALSE(choice.found);
    EXPECT_EQ(u8(choice.file), u8(file(u"melorit.dll"_s)));
}

TEST_F(ChooseLanguageFile, FirstRunUsesMeloritDll)
{
    writeLanguage(u"fr.lng"_s, "fr");
    writeLanguage(u"en.lng"_s, "en");
    writeLanguage(u"melorit.dll"_s, "fr-first");
    const LanguageChoice choice = chooseLanguageFile({});
    EXPECT_TRUE(choice.firstRun);
    EXPECT_TRUE(choice.found);
    EXPECT_EQ(u8(choice.file), u8(file(u"melorit.dll"_s)));
    EXPECT_EQ(u8(choice.code), "fr-first");
}

TEST_F(ChooseLanguageFile, FirstRunTakesTheSystemLanguageFirst)
{
    writeLanguage(u"fr.lng"_s, "fr");
    writeLanguage(u"en.lng"_s, "en");
    writeLanguage(u"pt_BR.lng"_s, "pt_BR");
    writeLanguage(u"melorit.dll"_s, "fr-first");
    EXPECT_EQ(u8(chooseLanguageFile({}, u"en_GB"_s).file), u8(file(u"en.lng"_s)));
    EXPECT_EQ(u8(chooseLanguageFile({}, u"pt_BR"_s).code), "pt_BR");
    // No file for the system's language: as without one.
    EXPECT_EQ(u8(chooseLanguageFile({}, u"de_DE"_s).file), u8(file(u"melorit.dll"_s)));
    EXPECT_EQ(u8(chooseLanguageFile({}, u"C"_s).file), u8(file(u"melorit.dll"_s)));
    // Once a language is configured the system's does not count.
    EXPECT_EQ(u8(chooseLanguageFile(u"fr"_s, u"en_GB"_s).file), u8(file(u"fr.lng"_s)));
}

TEST_F(ChooseLanguageFile, FirstRunWithoutMeloritDllUsesFrench)
{
    writeLanguage(u"fr.lng"_s, "fr");
    const LanguageChoice choice = chooseLanguageFile({});
    EXPECT_TRUE(choice.firstRun);
    EXPECT_TRUE(choice.found);
    EXPECT_EQ(u8(choice.file), u8(file(u"fr.lng"_s)));
    EXPECT_EQ(u8(choice.code), "fr");
}

TEST_F(ChooseLanguageFile, FirstRunWithNoLanguageFileIsNotFound)
{
    const LanguageChoice choice = chooseLanguageFile({});
    EXPECT_TRUE(choice.firstRun);
    EXPECT_FALSE(choice.found);
    EXPECT_EQ(u8(choice.file), u8(file(u"melorit.dll"_s)));
}

TEST_F(ChooseLanguageFile, CodeOfTheFileWinsOverItsName)
{
    writeLanguage(u"custom.lng"_s, "Deutsch");
    writeLanguage(u"fr.lng"_s, "fr");
    const LanguageChoice choice = chooseLanguageFile(u"custom"_s);
    EXPECT_TRUE(choice.found);
    EXPECT_EQ(u8(choice.file), u8(file(u"custom.lng"_s)));
    EXPECT_EQ(u8(choice.code), "Deutsch");
}

TEST_F(ChooseLanguageFile, CodeWithAPathIsNotLookedUp)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(u"sub"_s));
    writeLanguage(u"sub/evil.lng"_s, "evil");
    writeLanguage(u"fr.lng"_s, "fr");
    EXPECT_EQ(u8(chooseLanguageFile(u"sub/evil"_s).file), u8(file(u"fr.lng"_s)));
    EXPECT_EQ(u8(chooseLanguageFile(u"sub\\evil"_s).file), u8(file(u"fr.lng"_s)));
}

TEST(ChooseShippedLanguageFile, FirstRunFindsTheShippedFrenchTexts)
{
    paths::setProgramFolder(QStringLiteral(MELORIT_OUTPUT_DIR));
    const LanguageChoice first = chooseLanguageFile({});
    const LanguageChoice english = chooseLanguageFile(u"en"_s);
    paths::setProgramFolder({});
    EXPECT_TRUE(first.found);
    EXPECT_EQ(u8(first.code), "fr");
    EXPECT_TRUE(first.file.endsWith(u"melorit.dll"_s));
    EXPECT_EQ(u8(english.code), "en");
    EXPECT_EQ(u8(languageText(english.file, u"Main"_s, u"Titre(n)"_s)), "(%1/%2) ");
}

// ---------------------------------------------------------------------------
// File-dialog filters

TEST(LanguageFileDialogFilter, TurnsDescriptionPatternPairsIntoQtFilters)
{
    EXPECT_EQ(u8(fileDialogFilter(u"MIDI files (mid,kar)|*.mid;*.kar|All files (*.*)|*.*"_s)),
              "MIDI files (mid,kar) (*.mid *.kar);;All files (*)");
}

TEST(LanguageFileDialogFilter, KeepsPatternsShownInTheDescriptionOnce)
{
    EXPECT_EQ(u8(fileDialogFilter(u"SoundFont (*.sf2)|*.sf2"_s)), "SoundFont (*.sf2)");
    EXPECT_EQ(u8(fileDialogFilter(u"Lists (*.mpl;*.m3u)|*.mpl;*.m3u"_s)), "Lists (*.mpl *.m3u)");
}

TEST(LanguageFileDialogFilter, SkipsIncompleteAndEmptyEntries)
{
    EXPECT_EQ(u8(fileDialogFilter({})), "");
    EXPECT_EQ(u8(fileDialogFilter(u"Only a description"_s)), "");
    EXPECT_EQ(u8(fileDialogFilter(u"A|*.a|B|"_s)), "A (*.a)");
    EXPECT_EQ(u8(fileDialogFilter(u"A|*.a|B|*.b|dangling"_s)), "A (*.a);;B (*.b)");
    EXPECT_EQ(u8(fileDialogFilter(u"|*.x; ;*.y"_s)), "(*.x *.y)");
}

TEST(LanguageFileDialogFilter, ShippedSongFilterListsEverySongExtension)
{
    const QString fr = outputFile("fr.lng");
    const QString extensions = ReadIni(u"Main"_s, u"Extmid"_s, fr).toLower();
    QString patterns = u"*."_s + extensions;
    patterns.replace(u","_s, u";*."_s);
    const QString filter = fileDialogFilter(text::fillPlaceholders(
        ReadIni(u"PlayList"_s, u"MIDOPENCMD.Filter"_s, fr), extensions, patterns));
    const QString first = filter.section(u";;"_s, 0, 0);
    for (const QString &ext : extensions.split(u',')) {
        EXPECT_TRUE(first.contains(u"*."_s + ext)) << first.toStdString();
    }
}

} // namespace
