#pragma once

#include <QString>

#include <array>

// The texts of the export dialog: section "Tags" of the language file, each
// with the caption the window carries by design when the language gives none.
namespace melorit::exporting {

inline constexpr int kFieldLabelCount = 11;

struct TagsTexts {
    QString Caption;
    QString Abandon;
    QString Validation;
    QString Tous;
    std::array<QString, kFieldLabelCount> Label1; // "Label(0)" to "Label(10)"
    QString NullGenre;
    QString FrameKok;
    QString CheckKOK;
    QString FormatKok; // one check box per lyrics file format
    QString FormatLrc;
    QString FormatAss;
    QString FrameTags;
    QString NotaBene;
    QString CaractLigne;
    QString FrameRec;
    QString OptionOgg;
    QString OptionMP3;
    QString OptionWav;
    QString OptionMP4;       // the video
    QString Normalize;       // check box before the loudness target
    QString VideoBack;       // label of the video's background row
    QString VideoColour;     // its colour button and the colour chooser's title
    QString VideoImage;      // "or image", before the image field
    QString VideoImageTitle; // title of the image chooser
    QString VideoImages;     // name of the image files in the chooser
    QString Kbps;
    QString Brut;
    QString Compresse;
    QString SaveFolder; // title of the folder browser
};

// Reads the texts; a missing file or an empty text gives the design caption,
// as the batch confirmation's title already does.
TagsTexts loadTagsTexts(const QString &languageFile);

} // namespace melorit::exporting
