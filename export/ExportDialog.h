#pragma once

#include "export/ExportDialogTexts.h"
#include "export/ExportForm.h"

#include <QDialog>

#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace melorit::exporting {

// The export settings and tags dialog, shown modally before each conversion.
// A view of ExportForm: the fields show the form's content and the buttons
// hand it back before the form's rules run. UI thread.
class ExportDialog final : public QDialog, private ExportQuestions {
    Q_OBJECT
public:
    // songSettingsFile: the song's ".mst" (its tags); tagArtist, tagTitle:
    // the song's own artist and title in readable text; configFile "" is
    // "Melorit.ini".
    ExportDialog(const QString &songSettingsFile, const QString &tagArtist, const QString &tagTitle,
                 const QString &languageFile, const QString &configFile = {},
                 QWidget *parent = nullptr);

    // While a batch conversion runs the dialog validates itself at the first
    // tick of `Timer1` once shown, saving what it opened with.
    void setBatchEncode(bool batchEncode);
    bool BatchEncode() const { return m_batchEncode; }
    // True once the settings and tags are saved and the conversion goes on.
    bool TagsValidated() const { return m_tagsValidated; }
    // The tags as saved.
    const SongTags &savedTags() const { return m_form.Tags; }
    ExportSettings savedSettings() const { return m_form.settings(); }

    // Texts of section "Tags" of the language file.
    void LoadLanguage();
    // Clears the genre list and adds the empty-genre entry and the names.
    void InitGenres(QComboBox &combo) const;

    void Btn_Validation_Click();
    void Btn_Tous_Click();
    void Btn_Abandon_Click();
    void Btn_brws_folders_Click();
    // The video's background: a colour chooser, an image chooser.
    void Btn_VideoColour_Click();
    void Btn_VideoImage_Click();
    void RecFolder_Validate();
    void Timer1_Timer();

    QGroupBox *FrameTags() const { return m_frameTags; }
    QGroupBox *FrameRec() const { return m_frameRec; }
    QGroupBox *FrameKok() const { return m_frameKok; }
    QLineEdit *TextArtiste() const { return m_artist; }
    QLineEdit *TextTitre() const { return m_title; }
    QLineEdit *TextAlbum() const { return m_album; }
    QLineEdit *TextAnnee() const { return m_year; }
    QLineEdit *TextPiste() const { return m_track; }
    QComboBox *ComboGenre() const { return m_genre; }
    QLineEdit *TextCommentaire() const { return m_comment; }
    QLabel *Label1(int index) const { return m_fieldLabels.at(index); }
    QRadioButton *OptionWav() const { return m_wav; }
    QRadioButton *OptionMP3() const { return m_mp3; }
    QRadioButton *OptionOgg() const { return m_ogg; }
    QRadioButton *OptionMP4() const { return m_mp4; }
    QCheckBox *CheckLoudness() const { return m_normalize; }
    QDoubleSpinBox *Loudness() const { return m_loudness; }
    QLabel *LabelVideoBack() const { return m_videoBack; }
    QPushButton *Btn_VideoColour() const { return m_videoColour; }
    QLabel *LabelVideoImage() const { return m_videoImageLabel; }
    QLineEdit *VideoImage() const { return m_videoImage; }
    QPushButton *Btn_VideoImage() const { return m_videoBrowse; }
    // The colour the button shows, "#RRGGBB".
    const QString &videoColour() const { return m_videoColourValue; }
    QComboBox *ComboKbps() const { return m_rate; }
    QLabel *Label4() const { return m_kbps; }
    QLabel *Label5() const { return m_uncompressed; }
    QLabel *Label6() const { return m_compressed; }
    QLineEdit *RecFolder() const { return m_folder; }
    QPushButton *Btn_brws_folders() const { return m_browse; }
    QLineEdit *GenericName() const { return m_scheme; }
    QCheckBox *CheckKOK() const { return m_makeKok; }
    QCheckBox *CheckFormatKok() const { return m_formatKok; }
    QCheckBox *CheckFormatLrc() const { return m_formatLrc; }
    QCheckBox *CheckFormatAss() const { return m_formatAss; }
    QLineEdit *LyricsMax() const { return m_maxLength; }
    QLabel *Label2() const { return m_perLine; }
    QLabel *Label8() const { return m_note; }
    QPushButton *Btn_Validation() const { return m_ok; }
    QPushButton *Btn_Tous() const { return m_all; }
    QPushButton *Btn_Abandon() const { return m_cancel; }
    QTimer *Timer1() const { return m_timer; }
    // The folder browser's title.
    const QString &folderBrowserTitle() const { return m_texts.SaveFolder; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    bool confirmBatch(const QString &text, const QString &title) override;

    QGroupBox *buildTagsFrame();
    QGroupBox *buildAudioFrame();
    QLayout *buildLoudnessRow();
    QLayout *buildVideoRow();
    void showVideoColour(const QString &colour);
    QGroupBox *buildLyricsFrame();
    QLayout *buildButtons();
    void Form_Load(const QString &tagArtist, const QString &tagTitle);
    void showForm();
    void takeForm();
    QString genreText() const;
    void Encoding_Click();
    void finish(ExportOutcome outcome);
    void centreOnScreen();

    ExportForm m_form;
    QString m_languageFile;
    TagsTexts m_texts;
    bool m_batchEncode = false;
    bool m_tagsValidated = false;

    QGroupBox *m_frameTags = nullptr;
    QGroupBox *m_frameRec = nullptr;
    QGroupBox *m_frameKok = nullptr;
    QLineEdit *m_artist = nullptr;
    QLineEdit *m_title = nullptr;
    QLineEdit *m_album = nullptr;
    QLineEdit *m_year = nullptr;
    QLineEdit *m_track = nullptr;
    QComboBox *m_genre = nullptr;
    QLineEdit *m_comment = nullptr;
    std::array<QLabel *, kFieldLabelCount> m_fieldLabels{};
    QButtonGroup *m_encoding = nullptr;
    QRadioButton *m_wav = nullptr;
    QRadioButton *m_mp3 = nullptr;
    QRadioButton *m_ogg = nullptr;
    QRadioButton *m_mp4 = nullptr;
    QCheckBox *m_normalize = nullptr;
    QDoubleSpinBox *m_loudness = nullptr;
    QLabel *m_videoBack = nullptr;
    QPushButton *m_videoColour = nullptr;
    QString m_videoColourValue;
    QLabel *m_videoImageLabel = nullptr;
    QLineEdit *m_videoImage = nullptr;
    QPushButton *m_videoBrowse = nullptr;
    QComboBox *m_rate = nullptr;
    QLabel *m_kbps = nullptr;
    QLabel *m_uncompressed = nullptr;
    QLabel *m_compressed = nullptr;
    QLineEdit *m_folder = nullptr;
    QPushButton *m_browse = nullptr;
    QLineEdit *m_scheme = nullptr;
    QCheckBox *m_makeKok = nullptr;
    QCheckBox *m_formatKok = nullptr;
    QCheckBox *m_formatLrc = nullptr;
    QCheckBox *m_formatAss = nullptr;
    QLineEdit *m_maxLength = nullptr;
    QLabel *m_perLine = nullptr;
    QLabel *m_note = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_all = nullptr;
    QPushButton *m_cancel = nullptr;
    QTimer *m_timer = nullptr;
};

} // namespace melorit::exporting
