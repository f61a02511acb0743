#pragma once

#include "export/ExportSettings.h"

#include <QString>

// The content of the export dialog and its rules, without the window: what
// it opens with, how its buttons end it and what `MemoParam` saves. The
// window shows these fields and forwards its buttons here.
namespace melorit::exporting {

// What needs a person: the confirmation of a conversion to the end of the
// playlist (Yes or No, No being the default).
class ExportQuestions {
public:
    virtual ~ExportQuestions() = default;
    virtual bool confirmBatch(const QString &text, const QString &title) = 0;
};

enum class ExportOutcome {
    Open,      // the dialog stays
    Validated, // this song; settings and tags saved
    BatchAll,  // this song and the following ones; settings and tags saved
    Cancelled  // nothing saved
};

class ExportForm {
public:
    // songSettingsFile: the song's ".mst" (its tags); configFile: "" is
    // "Melorit.ini"; languageFile: where the confirmation texts come from.
    ExportForm(QString songSettingsFile, QString configFile = {}, QString languageFile = {});

    // Opening: settings and tags as stored; the song's own artist and title
    // (already in readable text) fill the fields that are still empty.
    void Form_Load(const QString &tagArtist, const QString &tagTitle);

    // Fields, as the window shows them.
    QString RecFolder;
    QString GenericName;
    // "Normalize loudness to N LUFS".
    bool CheckLoudness = false;
    double Loudness = -16.0;
    int Encoding = 0;   // 0 WAV, 1 MP3, 2 Ogg Vorbis, 3 video (MP4)
    int RateIndex = -1; // into bitRates(); -1 = no entry selected
    bool CheckKOK = true;
    // The lyrics file formats ("Formats"); with none ticked the ".kok" is
    // saved, the default.
    bool CheckFormatKok = true;
    bool CheckFormatLrc = false;
    bool CheckFormatAss = false;
    QString LyricsMax;
    // The video's background: a colour "#RRGGBB", or an image when one is
    // named.
    QString VideoColour;
    QString VideoImage;
    SongTags Tags;

    QString rateText() const;

    // Buttons.
    ExportOutcome Btn_Validation_Click();
    ExportOutcome Btn_Tous_Click(ExportQuestions &questions);
    ExportOutcome Btn_Abandon_Click();
    // Automatic validation of a batch: saves what the dialog opened with.
    ExportOutcome Timer1_Timer(bool batchEncode);
    // Leaving the folder field: trimmed, separator added.
    void RecFolder_Validate();

    // The settings as MemoParam saves them (and a conversion then uses
    // them): the folder with its separator, a known bit rate or none, the
    // line limit kept within 0..99, ... Without saving anything: the
    // command line answers the dialog with these.
    ExportSettings settings() const;

    // Saves settings() to the configuration file and the tags to the song's
    // settings file; "LyricsMax" shows the kept value afterwards.
    void MemoParam();

private:
    void saveVideoBackground();
    void saveLoudness(const ExportSettings &s);
    QString languageOr(const QString &key, const QString &fallback) const;

    QString m_songSettingsFile;
    QString m_configFile;
    QString m_languageFile;
};

// A folder text as saved: trimmed, ending with the separator unless empty.
QString normalizedFolder(const QString &folder);
// The line length kept from the typed text: its numeric value rounded,
// 0 when outside 0..99.
int keptMaxLength(const QString &typed);

} // namespace melorit::exporting
