#include "ExportDialogFixture.h"

#include "base/Ini.h"
#include "export/ExportDialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace melorit::exporting::test {
namespace {

using windows::test::u8;

class ExportDialogTest : public ExportDialogFixture {
protected:
    std::unique_ptr<ExportDialog> open(const QString &language, const QString &artist = {},
                                       const QString &title = {}) const
    {
        return std::make_unique<ExportDialog>(mst(), artist, title, language, config());
    }
};

TEST_F(ExportDialogTest, OpensWithStoredSettingsAndTags)
{
    setWave(QStringLiteral("SaveFolder"), QStringLiteral("/music/out/"));
    setWave(QStringLiteral("SaveScheme"), QStringLiteral("%A/%A - %T"));
    setWave(QStringLiteral("Encoding"), QStringLiteral("2"));
    setWave(QStringLiteral("Rate"), QStringLiteral("224"));
    setLyrics(QStringLiteral("MakeFile"), QStringLiteral("0"));
    setLyrics(QStringLiteral("MaxLength"), QStringLiteral(" 32 "));
    setTag(QStringLiteral("Album"), QStringLiteral("Chansons \u00e9ternelles"));
    setTag(QStringLiteral("Ann\u00e9e"), QStringLiteral("1958"));
    setTag(QStringLiteral("Genre"), QStringLiteral("Chanson"));

    const auto dialog = open(french());
    EXPECT_EQ(u8(dialog->RecFolder()->text()), "/music/out/");
    EXPECT_EQ(u8(dialog->GenericName()->text()), "%A/%A - %T");
    EXPECT_TRUE(dialog->OptionOgg()->isChecked());
    EXPECT_FALSE(dialog->OptionWav()->isChecked() || dialog->OptionMP3()->isChecked());
    EXPECT_EQ(u8(dialog->ComboKbps()->currentText()), "224");
    EXPECT_FALSE(dialog->CheckKOK()->isChecked());
    EXPECT_EQ(u8(dialog->LyricsMax()->text()), "32");
    EXPECT_EQ(u8(dialog->TextAlbum()->text()), "Chansons \u00e9ternelles");
    EXPECT_EQ(u8(dialog->TextAnnee()->text()), "1958");
    EXPECT_EQ(u8(dialog->ComboGenre()->currentText()), "Chanson");
    EXPECT_FALSE(dialog->TagsValidated());
}

TEST_F(ExportDialogTest, ValidationSavesTheFieldsByTheSavingRules)
{
    setWave(QStringLiteral("Encoding"), QStringLiteral("0"));
    setLyrics(QStringLiteral("MaxLength"), QStringLiteral("10"));
    const auto dialog = open(french());
    dialog->RecFolder()->setText(QStringLiteral("  /home/chanteur/Musique  "));
    dialog->GenericName()->setText(QStringLiteral(" %A - %T "));
    dialog->OptionMP3()->click();
    dialog->ComboKbps()->setCurrentIndex(dialog->ComboKbps()->findText(QStringLiteral("320")));
    dialog->CheckKOK()->setChecked(true);
    dialog->LyricsMax()->setText(QStringLiteral("150"));
    dialog->TextArtiste()->setText(QStringLiteral("\u00c9dith Piaf"));
    dialog->TextTitre()->setText(QStringLiteral("La Vie en rose"));
    dialog->TextPiste()->setText(QStringLiteral("7"));
    dialog->ComboGenre()->setEditText(QStringLiteral("Chanson r\u00e9aliste"));
    dialog->TextCommentaire()->setText(QStringLiteral("Karaok\u00e9"));

    dialog->Btn_Validation()->click();

    EXPECT_TRUE(dialog->TagsValidated());
    EXPECT_FALSE(dialog->BatchEncode());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(u8(wave(QStringLiteral("SaveFolder"))),
              u8(QStringLiteral("/home/chanteur/Musique") + QDir::separator()));
    EXPECT_EQ(u8(wave(QStringLiteral("SaveScheme"))), "%A - %T");
    EXPECT_EQ(u8(wave(QStringLiteral("Encoding"))), "1");
    EXPECT_EQ(u8(wave(QStringLiteral("Rate"))), "320");
    EXPECT_EQ(u8(lyrics(QStringLiteral("MakeFile"))), "1");
    // 150 is outside 0..99: no limit, and the field shows the kept value.
    EXPECT_EQ(u8(lyrics(QStringLiteral("MaxLength"))), "0");
    EXPECT_EQ(u8(dialog->LyricsMax()->text()), "0");
    EXPECT_EQ(u8(tag(QStringLiteral("Artiste"))), "\u00c9dith Piaf");
    EXPECT_EQ(u8(tag(QStringLiteral("Titre"))), "La Vie en rose");
    EXPECT_EQ(u8(tag(QStringLiteral("Piste"))), "7");
    EXPECT_EQ(u8(tag(QStringLiteral("Genre"))), "Chanson r\u00e9aliste");
    EXPECT_EQ(u8(tag(QStringLiteral("Commentaire"))), "Karaok\u00e9");

    // What was saved is what the next dialog opens with.
    const auto again = open(french());
    EXPECT_EQ(again->RecFolder()->text(),
              dialog->RecFolder()->text().trimmed() + QDir::separator());
    EXPECT_TRUE(again->OptionMP3()->isChecked());
    EXPECT_EQ(u8(again->ComboKbps()->currentText()), "320");
    EXPECT_EQ(u8(again->LyricsMax()->text()), "0");
    EXPECT_EQ(u8(again->ComboGenre()->currentText()), "Chanson r\u00e9aliste");
    EXPECT_EQ(u8(again->TextArtiste()->text()), "\u00c9dith Piaf");
}

TEST_F(ExportDialogTest, RecFolderGetsItsSeparatorWhenLeft)
{
    const auto dialog = open(french());
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    dialog->RecFolder()->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog->RecFolder()->hasFocus(); }));
    dialog->RecFolder()->clear();
    QTest::keyClicks(dialog->RecFolder(), QStringLiteral("  /srv/karaoke/Music "));
    dialog->GenericName()->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog->GenericName()->hasFocus(); }));
    EXPECT_EQ(u8(dialog->RecFolder()->text()),
              u8(QStringLiteral("/srv/karaoke/Music") + QDir::separator()));

    // An emptied field stays empty (the song's own folder).
    dialog->RecFolder()->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog->RecFolder()->hasFocus(); }));
    dialog->RecFolder()->clear();
    QTest::keyClicks(dialog->RecFolder(), QStringLiteral("   "));
    dialog->GenericName()->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog->GenericName()->hasFocus(); }));
    EXPECT_EQ(u8(dialog->RecFolder()->text()), "");
    // Nothing is saved by leaving a field.
    EXPECT_FALSE(QFile::exists(config()));
}

TEST_F(ExportDialogTest, BitRatesAndTheUnknownRate)
{
    {
        const auto dialog = open(french());
        QStringList rates;
        for (int i = 0; i < dialog->ComboKbps()->count(); ++i) {
            rates.append(dialog->ComboKbps()->itemText(i));
        }
        EXPECT_EQ(u8(rates.join(u' ')), "32 40 48 56 64 80 96 112 128 160 192 224 256 320");
        // No rate saved yet: 128.
        EXPECT_EQ(u8(dialog->ComboKbps()->currentText()), "128");
    }
    setWave(QStringLiteral("Rate"), QStringLiteral("100"));
    const auto dialog = open(french());
    EXPECT_EQ(dialog->ComboKbps()->currentIndex(), -1);
    dialog->Btn_Validation()->click();
    ASSERT_TRUE(dialog->TagsValidated());
    EXPECT_EQ(u8(wave(QStringLiteral("Rate"))), "");
    // The next opening offers 128 again.
    EXPECT_EQ(u8(open(french())->ComboKbps()->currentText()), "128");
}

TEST_F(ExportDialogTest, FormatChoiceEnablesTheBitRateForCompressedFormatsOnly)
{
    setWave(QStringLiteral("Encoding"), QStringLiteral("0"));
    setWave(QStringLiteral("Rate"), QStringLiteral("96"));
    const auto dialog = open(french());
    EXPECT_TRUE(dialog->OptionWav()->isChecked());
    EXPECT_FALSE(dialog->ComboKbps()->isEnabled());
    dialog->OptionMP3()->click();
    EXPECT_TRUE(dialog->ComboKbps()->isEnabled());
    dialog->OptionOgg()->click();
    EXPECT_TRUE(dialog->ComboKbps()->isEnabled());
    dialog->OptionWav()->click();
    EXPECT_FALSE(dialog->ComboKbps()->isEnabled());
    // A disabled list still keeps and saves its rate for the next MP3.
    dialog->Btn_Validation()->click();
    EXPECT_EQ(u8(wave(QStringLiteral("Encoding"))), "0");
    EXPECT_EQ(u8(wave(QStringLiteral("Rate"))), "96");
}

TEST_F(ExportDialogTest, UnknownFormatChoosesNoButtonAndSavesWav)
{
    setWave(QStringLiteral("Encoding"), QStringLiteral("7"));
    const auto dialog = open(french());
    EXPECT_FALSE(dialog->OptionWav()->isChecked() || dialog->OptionMP3()->isChecked() ||
                 dialog->OptionOgg()->isChecked());
    dialog->Btn_Validation()->click();
    EXPECT_EQ(u8(wave(QStringLiteral("Encoding"))), "0");
}

TEST_F(ExportDialogTest, GenreListInItsOrderAfterTheEmptyEntry)
{
    const auto dialog = open(french());
    QComboBox *genres = dialog->ComboGenre();
    ASSERT_EQ(genres->count(), 149);
    EXPECT_EQ(u8(genres->itemText(0)), "");
    EXPECT_EQ(u8(genres->itemText(1)), "A Cappella");
    EXPECT_EQ(u8(genres->itemText(7)), "Alt. Rock");
    EXPECT_EQ(u8(genres->itemText(143)), "top 40");
    EXPECT_EQ(u8(genres->itemText(148)), "Vocal");
    EXPECT_EQ(genres->currentIndex(), 0);
    EXPECT_TRUE(genres->isEditable());
}

TEST_F(ExportDialogTest, EmptyGenreEntryIsSavedAsNoGenreWhateverItsText)
{
    const QString language = m_folder.write(QStringLiteral("xx.lng"),
                                            "[MELORIT]\nLng=xx\n[Tags]\nNullGenre=(no genre)\n");
    setTag(QStringLiteral("Genre"), QStringLiteral("Jazz"));
    const auto dialog = open(language);
    EXPECT_EQ(u8(dialog->ComboGenre()->itemText(0)), "(no genre)");
    EXPECT_EQ(u8(dialog->ComboGenre()->currentText()), "Jazz");
    dialog->ComboGenre()->setCurrentIndex(0);
    dialog->Btn_Validation()->click();
    EXPECT_EQ(u8(tag(QStringLiteral("Genre"))), "");
    // An empty saved genre opens on the empty entry.
    EXPECT_EQ(open(language)->ComboGenre()->currentIndex(), 0);
}

TEST_F(ExportDialogTest, SongArtistAndTitleFillOnlyEmptyTags)
{
    {
        const auto dialog =
            open(french(), QStringLiteral("Fr\u00e9hel"), QStringLiteral("La Java bleue"));
        EXPECT_EQ(u8(dialog->TextArtiste()->text()), "Fr\u00e9hel");
        EXPECT_EQ(u8(dialog->TextTitre()->text()), "La Java bleue");
    }
    setTag(QStringLiteral("Titre"), QStringLiteral("Titre enregistr\u00e9"));
    const auto dialog =
        open(french(), QStringLiteral("Fr\u00e9hel"), QStringLiteral("La Java bleue"));
    EXPECT_EQ(u8(dialog->TextArtiste()->text()), "Fr\u00e9hel");
    EXPECT_EQ(u8(dialog->TextTitre()->text()), "Titre enregistr\u00e9");
}

TEST_F(ExportDialogTest, CancelSavesNothing)
{
    const auto dialog = open(french(), QStringLiteral("Artiste"));
    dialog->TextAlbum()->setText(QStringLiteral("Album"));
    dialog->Btn_Abandon()->click();
    EXPECT_FALSE(dialog->TagsValidated());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(QFile::exists(config()));
    EXPECT_FALSE(QFile::exists(mst()));
}

TEST_F(ExportDialogTest, BatchConfirmationAnsweredNoSavesNothingAndStays)
{
    const auto dialog = open(french());
    dialog->show();
    QString text;
    QString title;
    bool noIsDefault = false;
    whenModal<QMessageBox>([&](QMessageBox *box) {
        text = box->text();
        title = box->windowTitle();
        noIsDefault = box->defaultButton() == box->button(QMessageBox::No);
        box->button(QMessageBox::No)->click();
    });
    dialog->Btn_Tous()->click();
    EXPECT_EQ(u8(title), "Jusqu'\u00e0 la fin de la liste");
    EXPECT_EQ(u8(text), "Convertir ce morceau et tous les suivants de la liste\n"
                        "avec ces r\u00e9glages ?");
    EXPECT_TRUE(noIsDefault);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->TagsValidated());
    EXPECT_FALSE(dialog->BatchEncode());
    EXPECT_FALSE(QFile::exists(config()));
    EXPECT_FALSE(QFile::exists(mst()));
}

TEST_F(ExportDialogTest, BatchConfirmationAnsweredYesSavesAndStartsTheBatch)
{
    const auto dialog = open(english(), QStringLiteral("Artist"));
    dialog->show();
    QString title;
    whenModal<QMessageBox>([&](QMessageBox *box) {
        title = box->windowTitle();
        box->button(QMessageBox::Yes)->click();
    });
    dialog->Btn_Tous()->click();
    EXPECT_EQ(u8(title), "To the end of the list");
    EXPECT_TRUE(dialog->TagsValidated());
    EXPECT_TRUE(dialog->BatchEncode());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(u8(tag(QStringLiteral("Artiste"))), "Artist");
    EXPECT_EQ(u8(wave(QStringLiteral("Rate"))), "128");
}

TEST_F(ExportDialogTest, DuringABatchTheDialogValidatesItselfWithWhatItOpenedWith)
{
    setWave(QStringLiteral("SaveFolder"), QStringLiteral("/srv/out"));
    setWave(QStringLiteral("Encoding"), QStringLiteral("1"));
    setLyrics(QStringLiteral("MaxLength"), QStringLiteral("120"));
    setTag(QStringLiteral("Album"), QStringLiteral("Best of"));
    const auto dialog =
        open(french(), QStringLiteral("Fr\u00e9hel"), QStringLiteral("La Java bleue"));
    dialog->setBatchEncode(true);
    const ModalGuard guard;
    EXPECT_EQ(dialog->exec(), QDialog::Accepted);
    EXPECT_TRUE(dialog->TagsValidated());
    EXPECT_TRUE(dialog->BatchEncode());
    EXPECT_EQ(u8(wave(QStringLiteral("SaveFolder"))),
              u8(QStringLiteral("/srv/out") + QDir::separator()));
    EXPECT_EQ(u8(wave(QStringLiteral("Encoding"))), "1");
    EXPECT_EQ(u8(wave(QStringLiteral("Rate"))), "128");
    EXPECT_EQ(u8(lyrics(QStringLiteral("MaxLength"))), "0");
    EXPECT_EQ(u8(tag(QStringLiteral("Artiste"))), "Fr\u00e9hel");
    EXPECT_EQ(u8(tag(QStringLiteral("Titre"))), "La Java bleue");
    EXPECT_EQ(u8(tag(QStringLiteral("Album"))), "Best of");
}

TEST_F(ExportDialogTest, OutsideABatchTheDialogWaitsForThePerson)
{
    const auto dialog = open(french());
    dialog->show();
    QTest::qWait(400);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->Timer1()->isActive());
    EXPECT_FALSE(QFile::exists(config()));
}

TEST_F(ExportDialogTest, CaptionsFallBackToTheDesignWithoutALanguageFile)
{
    for (const QString &language : {QString(), m_folder.file(QStringLiteral("missing.lng"))}) {
        const auto dialog = open(language);
        EXPECT_EQ(u8(dialog->windowTitle()), "Saisie des Tags");
        EXPECT_EQ(u8(dialog->FrameTags()->title()), "Informations");
        EXPECT_EQ(u8(dialog->FrameRec()->title()), "Conversion audio");
        EXPECT_EQ(u8(dialog->FrameKok()->title()),
                  "G\u00e9n\u00e9ration d'un fichier de paroles synchronis\u00e9es");
        const char *labels[] = {"Artiste",
                                "Titre",
                                "Album",
                                "Ann\u00e9e",
                                "Piste n\u00b0",
                                "Genre",
                                "Commentaire",
                                "Limiter le texte \u00e0",
                                "Enregistrer dans",
                                "Sous Dossier et Nom",
                                "Pour Artiste - Titre : %A - %T"};
        for (int i = 0; i < kFieldLabelCount; ++i) {
            EXPECT_EQ(u8(dialog->Label1(i)->text()), labels[i]) << i;
        }
        EXPECT_EQ(u8(dialog->Label4()->text()), "kbps");
        EXPECT_EQ(u8(dialog->Label5()->text()), "Non compress\u00e9, ~ 10 Mo/min.");
        EXPECT_EQ(u8(dialog->Label6()->text()), "Compress\u00e9");
        EXPECT_EQ(u8(dialog->CheckKOK()->text()), "Cr\u00e9er KOK");
        EXPECT_EQ(u8(dialog->Label2()->text()), "caract\u00e8res par ligne (0 = pas de limite)");
        EXPECT_EQ(u8(dialog->Label8()->text()),
                  "NB : Les fichiers de paroles sont toujours enregistr\u00e9s dans le m\u00eame "
                  "dossier que le fichier audio");
        EXPECT_EQ(u8(dialog->Btn_Validation()->text()), "OK");
        EXPECT_EQ(u8(dialog->Btn_Tous()->text()), "Jusqu'\u00e0 la fin de la liste");
        EXPECT_EQ(u8(dialog->Btn_Abandon()->text()), "Annuler");
    }
}

TEST_F(ExportDialogTest, EnglishTextsReplaceTheDesignCaptions)
{
    const auto dialog = open(english());
    EXPECT_EQ(u8(dialog->windowTitle()), "Tags and export settings");
    EXPECT_EQ(u8(dialog->FrameTags()->title()), "Information");
    EXPECT_EQ(u8(dialog->FrameRec()->title()), "Audio conversion");
    EXPECT_EQ(u8(dialog->FrameKok()->title()), "Synchronised lyrics file");
    EXPECT_EQ(u8(dialog->Label1(0)->text()), "Artist");
    EXPECT_EQ(u8(dialog->Label1(4)->text()), "Track no.");
    EXPECT_EQ(u8(dialog->Label1(9)->text()), "Subfolder and name");
    EXPECT_EQ(u8(dialog->Label1(10)->text()), "For Artist - Title: %A - %T");
    EXPECT_EQ(u8(dialog->Label5()->text()), "Uncompressed, ~ 10 MB/min.");
    EXPECT_EQ(u8(dialog->Label6()->text()), "Compressed");
    EXPECT_EQ(u8(dialog->CheckKOK()->text()), "Create KOK file");
    EXPECT_EQ(u8(dialog->Label2()->text()), "characters per line (0 = no limit)");
    EXPECT_EQ(u8(dialog->Btn_Tous()->text()), "To the end of the list");
    EXPECT_EQ(u8(dialog->Btn_Abandon()->text()), "Cancel");
    EXPECT_EQ(u8(dialog->folderBrowserTitle()), "Choose the output folder");

    // A language change keeps what the person typed in the genre.
    dialog->ComboGenre()->setEditText(QStringLiteral("Zouk"));
    dialog->LoadLanguage();
    EXPECT_EQ(u8(dialog->ComboGenre()->currentText()), "Zouk");
}

TEST_F(ExportDialogTest, FolderBrowserPutsThePickedFolderInTheField)
{
    QTemporaryDir picked;
    ASSERT_TRUE(picked.isValid());
    const auto dialog = open(french());
    dialog->show();
    QString title;
    whenModal<QFileDialog>([&](QFileDialog *browser) {
        title = browser->windowTitle();
        browser->setDirectory(picked.path());
        static_cast<QDialog *>(browser)->accept(); // accept() is protected in QFileDialog
    });
    dialog->Btn_brws_folders()->click();
    EXPECT_EQ(u8(title), "Choisissez le dossier d'enregistrement");
    EXPECT_EQ(u8(dialog->RecFolder()->text()), u8(QDir::toNativeSeparators(picked.path())));

    // Cancelling the browser keeps the field.
    whenModal<QFileDialog>([](QFileDialog *browser) { browser->reject(); });
    dialog->Btn_brws_folders()->click();
    EXPECT_EQ(u8(dialog->RecFolder()->text()), u8(QDir::toNativeSeparators(picked.path())));
}

TEST_F(ExportDialogTest, ShownModalAndCentredOnTheScreen)
{
    const auto dialog = open(french());
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    EXPECT_TRUE(dialog->isModal());
    const QPoint screenCentre = dialog->screen()->availableGeometry().center();
    const QPoint centre = dialog->frameGeometry().center();
    EXPECT_LE((centre - screenCentre).manhattanLength(), 4)
        << centre.x() << "," << centre.y() << " vs " << screenCentre.x() << "," << screenCentre.y();
}

TEST_F(ExportDialogTest, LyricsFormatBoxesShowAndSaveTheFormats)
{
    setLyrics(QStringLiteral("MakeFile"), QStringLiteral("0"));
    setLyrics(QStringLiteral("Formats"), QStringLiteral("lrc,ass"));
    const auto dialog = open(english());
    EXPECT_EQ(u8(dialog->CheckFormatKok()->text()), "KOK (.kok)");
    EXPECT_EQ(u8(dialog->CheckFormatLrc()->text()), "Enhanced LRC (.lrc)");
    EXPECT_EQ(u8(dialog->CheckFormatAss()->text()), "ASS subtitles (.ass)");
    EXPECT_FALSE(dialog->CheckFormatKok()->isChecked());
    EXPECT_TRUE(dialog->CheckFormatLrc()->isChecked());
    EXPECT_TRUE(dialog->CheckFormatAss()->isChecked());
    // Without lyrics files the formats cannot be changed.
    EXPECT_FALSE(dialog->CheckFormatLrc()->isEnabled());
    dialog->CheckKOK()->setChecked(true);
    EXPECT_TRUE(dialog->CheckFormatLrc()->isEnabled());
    dialog->CheckFormatKok()->setChecked(true);
    dialog->CheckFormatAss()->setChecked(false);
    dialog->Btn_Validation()->click();
    EXPECT_EQ(u8(lyrics(QStringLiteral("Formats"))), "kok,lrc");
    EXPECT_EQ(u8(lyrics(QStringLiteral("MakeFile"))), "1");

    const auto french_ = open(french());
    EXPECT_EQ(u8(french_->CheckFormatLrc()->text()), "LRC enrichi (.lrc)");
    EXPECT_EQ(u8(french_->CheckFormatAss()->text()), "Sous-titres ASS (.ass)");
}

TEST_F(ExportDialogTest, VideoChoiceEnablesItsBackgroundAndSavesIt)
{
    setWave(QStringLiteral("Encoding"), QStringLiteral("1"));
    const auto dialog = open(english());
    EXPECT_EQ(u8(dialog->OptionMP4()->text()), "Video (MP4)");
    EXPECT_EQ(u8(dialog->LabelVideoBack()->text()), "Video background");
    EXPECT_FALSE(dialog->Btn_VideoColour()->isEnabled());
    EXPECT_FALSE(dialog->VideoImage()->isEnabled());
    dialog->OptionMP4()->click();
    EXPECT_TRUE(dialog->Btn_VideoColour()->isEnabled());
    EXPECT_TRUE(dialog->VideoImage()->isEnabled());
    EXPECT_TRUE(dialog->ComboKbps()->isEnabled()); // the rate of its sound
    dialog->show();
    whenModal<QColorDialog>([](QColorDialog *chooser) {
        chooser->setCurrentColor(QColor(0x12, 0x34, 0x56));
        chooser->accept();
    });
    dialog->Btn_VideoColour()->click();
    EXPECT_EQ(u8(dialog->videoColour()), "#123456");
    dialog->VideoImage()->setText(QStringLiteral(" /pictures/sc\u00e8ne.png "));
    dialog->Btn_Validation()->click();
    const auto video = [this](const char *key) {
        return u8(ReadIni(QStringLiteral("Video"), QLatin1StringView(key), config()));
    };
    EXPECT_EQ(u8(wave(QStringLiteral("Encoding"))), "3");
    EXPECT_EQ(video("Colour"), "#123456");
    EXPECT_EQ(video("Image"), "/pictures/sc\u00e8ne.png");

    const auto again = open(french());
    EXPECT_EQ(u8(again->OptionMP4()->text()), "Vid\u00e9o (MP4)");
    EXPECT_TRUE(again->OptionMP4()->isChecked());
    EXPECT_EQ(u8(again->videoColour()), "#123456");
    EXPECT_EQ(u8(again->VideoImage()->text()), "/pictures/sc\u00e8ne.png");
}

TEST_F(ExportDialogTest, LoudnessIsOffByDefaultAndRememberedWhenTicked)
{
    const auto dialog = open(english());
    EXPECT_EQ(u8(dialog->CheckLoudness()->text()), "Normalize loudness to");
    EXPECT_FALSE(dialog->CheckLoudness()->isChecked());
    EXPECT_FALSE(dialog->Loudness()->isEnabled());
    EXPECT_EQ(dialog->Loudness()->value(), -16.0);
    dialog->Btn_Validation()->click();
    EXPECT_TRUE(wave(QStringLiteral("Normalize")).isEmpty()) << "untouched, not written";

    const auto ticked = open(english());
    ticked->CheckLoudness()->click();
    EXPECT_TRUE(ticked->Loudness()->isEnabled());
    ticked->Loudness()->setValue(-18.5);
    ticked->Btn_Validation()->click();
    EXPECT_EQ(u8(wave(QStringLiteral("Normalize"))), "1");
    EXPECT_EQ(u8(wave(QStringLiteral("Loudness"))), "-18.5");
    const ExportSettings stored = ReadExportSettings(config());
    EXPECT_TRUE(stored.Normalize);
    EXPECT_EQ(stored.Loudness, -18.5);

    const auto again = open(french());
    EXPECT_EQ(u8(again->CheckLoudness()->text()), "Normaliser le volume sonore \u00e0");
    EXPECT_TRUE(again->CheckLoudness()->isChecked());
    EXPECT_EQ(again->Loudness()->value(), -18.5);
}

} // namespace
} // namespace melorit::exporting::test
