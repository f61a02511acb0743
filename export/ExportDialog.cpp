#include "export/ExportDialog.h"

#include "skins/WindowPalette.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

namespace melorit::exporting {
namespace {

// How soon a dialog opened during a batch validates itself.
constexpr int kTimer1IntervalMs = 100;

} // namespace

ExportDialog::ExportDialog(const QString &songSettingsFile, const QString &tagArtist,
                           const QString &tagTitle, const QString &languageFile,
                           const QString &configFile, QWidget *parent)
    : QDialog(parent), m_form(songSettingsFile, configFile, languageFile),
      m_languageFile(languageFile)
{
    setPalette(skins::windowPalette());
    setModal(true);
    m_timer = new QTimer(this);
    m_timer->setInterval(kTimer1IntervalMs);
    connect(m_timer, &QTimer::timeout, this, &ExportDialog::Timer1_Timer);
    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(14, 14, 14, 12);
    box->setSpacing(10);
    box->addWidget(buildTagsFrame());
    box->addWidget(buildAudioFrame());
    box->addWidget(buildLyricsFrame());
    box->addLayout(buildButtons());
    Form_Load(tagArtist, tagTitle);
}

void ExportDialog::LoadLanguage()
{
    m_texts = loadTagsTexts(m_languageFile);
    setWindowTitle(m_texts.Caption);
    m_cancel->setText(m_texts.Abandon);
    m_ok->setText(m_texts.Validation);
    m_all->setText(m_texts.Tous);
    for (int i = 0; i < kFieldLabelCount; ++i) {
        m_fieldLabels[i]->setText(m_texts.Label1[i]);
    }
    m_frameKok->setTitle(m_texts.FrameKok);
    m_makeKok->setText(m_texts.CheckKOK);
    m_formatKok->setText(m_texts.FormatKok);
    m_formatLrc->setText(m_texts.FormatLrc);
    m_formatAss->setText(m_texts.FormatAss);
    m_frameTags->setTitle(m_texts.FrameTags);
    m_note->setText(m_texts.NotaBene);
    m_perLine->setText(m_texts.CaractLigne);
    m_frameRec->setTitle(m_texts.FrameRec);
    m_ogg->setText(m_texts.OptionOgg);
    m_mp3->setText(m_texts.OptionMP3);
    m_wav->setText(m_texts.OptionWav);
    m_mp4->setText(m_texts.OptionMP4);
    m_normalize->setText(m_texts.Normalize);
    m_videoBack->setText(m_texts.VideoBack);
    m_videoColour->setText(m_texts.VideoColour);
    m_videoImageLabel->setText(m_texts.VideoImage);
    m_kbps->setText(m_texts.Kbps);
    m_uncompressed->setText(m_texts.Brut);
    m_compressed->setText(m_texts.Compresse);
    // The empty-genre entry follows the language; a typed genre stays.
    const QString genre = genreText();
    InitGenres(*m_genre);
    if (genre.isEmpty()) {
        m_genre->setCurrentIndex(0);
    } else {
        m_genre->setCurrentText(genre);
    }
}

void ExportDialog::InitGenres(QComboBox &combo) const
{
    combo.clear();
    combo.addItem(m_texts.NullGenre);
    combo.addItems(genreNames());
}

void ExportDialog::Form_Load(const QString &tagArtist, const QString &tagTitle)
{
    m_tagsValidated = false;
    LoadLanguage();
    m_rate->clear();
    m_rate->addItems(bitRates());
    m_form.Form_Load(tagArtist, tagTitle);
    showForm();
}

// The form's content into the fields.
void ExportDialog::showForm()
{
    m_folder->setText(m_form.RecFolder);
    m_scheme->setText(m_form.GenericName);
    if (QAbstractButton *chosen = m_encoding->button(m_form.Encoding)) {
        chosen->setChecked(true);
    } else {
        // An unknown format: no button chosen, saved as WAV.
        m_encoding->setExclusive(false);
        for (QAbstractButton *b : m_encoding->buttons()) {
            b->setChecked(false);
        }
        m_encoding->setExclusive(true);
    }
    Encoding_Click();
    m_loudness->setValue(m_form.Loudness);
    m_normalize->setChecked(m_form.CheckLoudness);
    m_loudness->setEnabled(m_form.CheckLoudness);
    m_rate->setCurrentIndex(m_form.RateIndex);
    m_maxLength->setText(m_form.LyricsMax);
    m_makeKok->setChecked(m_form.CheckKOK);
    m_formatKok->setChecked(m_form.CheckFormatKok);
    m_formatLrc->setChecked(m_form.CheckFormatLrc);
    m_formatAss->setChecked(m_form.CheckFormatAss);
    showVideoColour(m_form.VideoColour);
    m_videoImage->setText(m_form.VideoImage);
    for (QCheckBox *format : {m_formatKok, m_formatLrc, m_formatAss}) {
        format->setEnabled(m_form.CheckKOK);
    }
    const SongTags &t = m_form.Tags;
    m_artist->setText(t.Artist);
    m_title->setText(t.Title);
    m_album->setText(t.Album);
    m_year->setText(t.Year);
    m_track->setText(t.Track);
    if (t.Genre.isEmpty()) {
        m_genre->setCurrentIndex(0);
    } else {
        m_genre->setCurrentText(t.Genre);
    }
    m_comment->setText(t.Comment);
}

// The fields into the form, before its rules run.
void ExportDialog::takeForm()
{
    m_form.RecFolder = m_folder->text();
    m_form.GenericName = m_scheme->text();
    m_form.Encoding = m_encoding->checkedId();
    m_form.RateIndex = m_rate->currentIndex();
    m_form.CheckLoudness = m_normalize->isChecked();
    m_form.Loudness = m_loudness->value();
    m_form.LyricsMax = m_maxLength->text();
    m_form.CheckKOK = m_makeKok->isChecked();
    m_form.CheckFormatKok = m_formatKok->isChecked();
    m_form.CheckFormatLrc = m_formatLrc->isChecked();
    m_form.CheckFormatAss = m_formatAss->isChecked();
    m_form.VideoColour = m_videoColourValue;
    m_form.VideoImage = m_videoImage->text();
    SongTags &t = m_form.Tags;
    t.Artist = m_artist->text();
    t.Title = m_title->text();
    t.Album = m_album->text();
    t.Year = m_year->text();
    t.Track = m_track->text();
    t.Genre = genreText();
    t.Comment = m_comment->text();
}

QString ExportDialog::genreText() const
{
    // The empty-genre entry means no genre, whatever the language calls it.
    const QString text = m_genre->currentText();
    return m_genre->currentIndex() == 0 && text == m_genre->itemText(0) ? QString() : text;
}

// The bit rate only matters to the compressed formats, the background to
// the video.
void ExportDialog::Encoding_Click()
{
    const bool compressed = !m_wav->isChecked();
    m_rate->setEnabled(compressed);
    m_kbps->setEnabled(compressed);
    const bool video = m_mp4->isChecked();
    for (QWidget *w : std::initializer_list<QWidget *>{
             m_videoBack, m_videoColour, m_videoImageLabel, m_videoImage, m_videoBrowse}) {
        w->setEnabled(video);
    }
}

// The button shows its colour as a swatch.
void ExportDialog::showVideoColour(const QString &colour)
{
    m_videoColourValue = isVideoColour(colour) ? colour.toLower() : QString();
    QPixmap swatch(16, 16);
    swatch.fill(m_videoColourValue.isEmpty() ? QColor(Qt::transparent)
                                             : QColor::fromString(m_videoColourValue));
    m_videoColour->setIcon(QIcon(swatch));
}

void ExportDialog::Btn_VideoColour_Click()
{
    const QColor start =
        m_videoColourValue.isEmpty() ? QColor(Qt::black) : QColor::fromString(m_videoColourValue);
    const QColor chosen = QColorDialog::getColor(start, this, m_texts.VideoColour);
    if (chosen.isValid()) {
        showVideoColour(chosen.name(QColor::HexRgb));
    }
}

void ExportDialog::Btn_VideoImage_Click()
{
    const QString current = m_videoImage->text().trimmed();
    const QString filter = m_texts.VideoImages +
                           QStringLiteral(" (*.png *.jpg *.jpeg *.bmp *.webp *.PNG *.JPG *.JPEG)");
    const QString chosen =
        QFileDialog::getOpenFileName(this, m_texts.VideoImageTitle, current, filter);
    if (!chosen.isEmpty()) {
        m_videoImage->setText(QDir::toNativeSeparators(chosen));
    }
}

void ExportDialog::setBatchEncode(bool batchEncode)
{
    m_batchEncode = batchEncode;
    if (!batchEncode) {
        m_timer->stop();
    } else if (isVisible()) {
        m_timer->start();
    }
}

void ExportDialog::Btn_Validation_Click()
{
    takeForm();
    finish(m_form.Btn_Validation_Click());
}

void ExportDialog::Btn_Tous_Click()
{
    takeForm();
    finish(m_form.Btn_Tous_Click(*this));
}

void ExportDialog::Btn_Abandon_Click()
{
    finish(m_form.Btn_Abandon_Click());
}

void ExportDialog::Timer1_Timer()
{
    if (!m_batchEncode) {
        return;
    }
    m_timer->stop();
    QCoreApplication::processEvents();
    // A button pressed meanwhile has ended the dialog already.
    if (!isVisible()) {
        return;
    }
    takeForm();
    finish(m_form.Timer1_Timer(true));
}

void ExportDialog::finish(ExportOutcome outcome)
{
    switch (outcome) {
    case ExportOutcome::Open:
        return;
    case ExportOutcome::Validated:
    case ExportOutcome::BatchAll:
        m_batchEncode = outcome == ExportOutcome::BatchAll;
        m_timer->stop();
        m_tagsValidated = true;
        m_maxLength->setText(m_form.LyricsMax);
        accept();
        return;
    case ExportOutcome::Cancelled:
        m_timer->stop();
        reject();
        return;
    }
}

void ExportDialog::Btn_brws_folders_Click()
{
    const QString current = m_folder->text().trimmed();
    const QString start = !current.isEmpty() && QDir(current).exists() ? current : QDir::rootPath();
    const QString chosen = QFileDialog::getExistingDirectory(this, m_texts.SaveFolder, start);
    if (!chosen.isEmpty()) {
        m_folder->setText(QDir::toNativeSeparators(chosen));
    }
}

void ExportDialog::RecFolder_Validate()
{
    m_form.RecFolder = m_folder->text();
    m_form.RecFolder_Validate();
    m_folder->setText(m_form.RecFolder);
}

bool ExportDialog::confirmBatch(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, this);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void ExportDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous()) {
        return;
    }
    centreOnScreen();
    if (m_batchEncode) {
        m_timer->start();
    }
}

void ExportDialog::centreOnScreen()
{
    adjustSize();
    const QRect area = screen()->availableGeometry();
    move(area.center() - rect().center());
}

} // namespace melorit::exporting
