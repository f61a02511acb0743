#include "export/ExportDialogTexts.h"

#include "base/Language.h"

namespace melorit::exporting {
namespace {

const QString kSection = QStringLiteral("Tags");

// The captions of the window design, label by label.
const std::array<QString, kFieldLabelCount> kDesignLabels{
    QStringLiteral("Artiste"),
    QStringLiteral("Titre"),
    QStringLiteral("Album"),
    QStringLiteral("Ann\u00e9e"),
    QStringLiteral("Piste n\u00b0"),
    QStringLiteral("Genre"),
    QStringLiteral("Commentaire"),
    QStringLiteral("Limiter le texte \u00e0"),
    QStringLiteral("Enregistrer dans"),
    QStringLiteral("Sous Dossier et Nom"),
    QStringLiteral("Pour Artiste - Titre : %A - %T"),
};

} // namespace

TagsTexts loadTagsTexts(const QString &languageFile)
{
    // File "" would be the configuration file, which holds no window texts.
    const auto text = [&languageFile](const QString &key, const QString &design) {
        const QString value =
            languageFile.isEmpty() ? QString() : languageText(languageFile, kSection, key);
        return value.isEmpty() ? design : value;
    };
    TagsTexts t;
    t.Caption = text(QStringLiteral("Caption"), QStringLiteral("Saisie des Tags"));
    t.Abandon = text(QStringLiteral("Abandon"), QStringLiteral("Annuler"));
    t.Validation = text(QStringLiteral("Validation"), QStringLiteral("OK"));
    t.Tous = text(QStringLiteral("Tous"), QStringLiteral("Jusqu'\u00e0 la fin de la liste"));
    for (int i = 0; i < kFieldLabelCount; ++i) {
        t.Label1[i] = text(indexedKey(QStringLiteral("Label"), i), kDesignLabels[i]);
    }
    t.NullGenre = text(QStringLiteral("NullGenre"), {});
    t.FrameKok = text(QStringLiteral("FrameKok"),
                      QStringLiteral("G\u00e9n\u00e9ration d'un fichier de paroles "
                                     "synchronis\u00e9es"));
    t.CheckKOK = text(QStringLiteral("CheckKOK"), QStringLiteral("Cr\u00e9er KOK"));
    t.FormatKok = text(QStringLiteral("FormatKok"), QStringLiteral("KOK (.kok)"));
    t.FormatLrc = text(QStringLiteral("FormatLrc"), QStringLiteral("LRC enrichi (.lrc)"));
    t.FormatAss = text(QStringLiteral("FormatAss"), QStringLiteral("Sous-titres ASS (.ass)"));
    t.FrameTags = text(QStringLiteral("FrameTags"), QStringLiteral("Informations"));
    t.NotaBene = text(QStringLiteral("NotaBene"),
                      QStringLiteral("NB : Les fichiers de paroles sont toujours enregistr\u00e9s "
                                     "dans le m\u00eame dossier que le fichier audio"));
    t.CaractLigne = text(QStringLiteral("CaractLigne"),
                         QStringLiteral("caract\u00e8res par ligne (0 = pas de limite)"));
    t.FrameRec = text(QStringLiteral("FrameRec"), QStringLiteral("Conversion audio"));
    t.OptionOgg = text(QStringLiteral("OptionOgg"), QStringLiteral("Ogg Vorbis"));
    t.OptionMP3 = text(QStringLiteral("OptionMP3"), QStringLiteral("MP3"));
    t.OptionWav = text(QStringLiteral("OptionWav"), QStringLiteral("WAV"));
    t.OptionMP4 = text(QStringLiteral("OptionMP4"), QStringLiteral("Vid\u00e9o (MP4)"));
    t.Normalize =
        text(QStringLiteral("Normalize"), QStringLiteral("Normaliser le volume sonore \u00e0"));
    t.VideoBack = text(QStringLiteral("VideoBack"), QStringLiteral("Fond de la vid\u00e9o"));
    t.VideoColour = text(QStringLiteral("VideoColour"), QStringLiteral("Couleur"));
    t.VideoImage = text(QStringLiteral("VideoImage"), QStringLiteral("ou image"));
    t.VideoImageTitle =
        text(QStringLiteral("VideoImageTitle"), QStringLiteral("Choisir une image de fond"));
    t.VideoImages = text(QStringLiteral("VideoImages"), QStringLiteral("Images"));
    t.Kbps = text(QStringLiteral("Kbps"), QStringLiteral("kbps"));
    // 44 100 Hz, 16-bit stereo is 176 400 bytes a second: about 10 MB a minute.
    t.Brut = text(QStringLiteral("Brut"), QStringLiteral("Non compress\u00e9, ~ 10 Mo/min."));
    t.Compresse = text(QStringLiteral("Compresse"), QStringLiteral("Compress\u00e9"));
    t.SaveFolder = text(QStringLiteral("SaveFolder"), t.Label1[8]);
    return t;
}

} // namespace melorit::exporting
