#include "export/ExportDialog.h"

#include "app/skins/WindowPalette.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
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
constexpr int kLyricsMaxWidth = 48;
constexpr int kFieldMinimumWidth = 300;

QLabel *buddyLabel(QWidget *field, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setBuddy(field);
    return label;
}

QLabel *plainLabel(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLabel *dimLabel(QWidget *parent)
{
    QLabel *label = plainLabel(parent);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, QColor(skins::palette::kIconDim));
    label->setPalette(p);
    return label;
}

} // namespace

Tags::Tags(const QString &songSettingsFile, const QString &tagArtist, const QString &tagTitle,
           const QString &languageFile, const QString &configFile, QWidget *parent)
    : QDialog(parent), m_form(songSettingsFile, configFile, languageFile),
      m_languageFile(languageFile)
{
    setPalette(skins::windowPalette());
    setModal(true);
    m_timer = new QTimer(this);
    m_timer->setInterval(kTimer1IntervalMs);
    connect(m_timer, &QTimer::timeout, this, &Tags::Timer1_Timer);
    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(14, 14, 14, 12);
    box->setSpacing(10);
    box->addWidget(buildTagsFrame());
    box->addWidget(buildAudioFrame());
    box->addWidget(buildLyricsFrame());
    box->addLayout(buildButtons());
    Form_Load(tagArtist, tagTitle);
}

QGroupBox *Tags::buildTagsFrame()
{
    m_frameTags = new QGroupBox(this);
    m_artist = new QLineEdit(m_frameTags);
    m_title = new QLineEdit(m_frameTags);
    m_album = new QLineEdit(m_frameTags);
    m_year = new QLineEdit(m_frameTags);
    m_track = new QLineEdit(m_frameTags);
    m_genre = new QComboBox(m_frameTags);
    m_genre->setEditable(true);
    // A typed genre is used as it is, not added to the list.
    m_genre->setInsertPolicy(QComboBox::NoInsert);
    m_comment = new QLineEdit(m_frameTags);
    m_artist->setMinimumWidth(kFieldMinimumWidth);
    const std::array<QWidget *, 7> fields{m_artist, m_title, m_album,  m_year,
                                          m_track,  m_genre, m_comment};
    for (int i = 0; i < kFieldLabelCount; ++i)
        m_fieldLabels[i] = buddyLabel(i < 7 ? fields[i] : nullptr, this);
    auto *grid = new QGridLayout(m_frameTags);
    const auto row = [&](int line, int label, QWidget *field, int span) {
        grid->addWidget(m_fieldLabels[label], line, 0);
        grid->addWidget(field, line, 1, 1, span);
    };
    row(0, 0, m_artist, 3);
    row(1, 1, m_title, 3);
    row(2, 2, m_album, 3);
    row(3, 3, m_year, 1);
    grid->addWidget(m_fieldLabels[4], 3, 2, Qt::AlignRight);
    grid->addWidget(m_track, 3, 3);
    row(4, 5, m_genre, 3);
    row(5, 6, m_comment, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return m_frameTags;
}

QGroupBox *Tags::buildAudioFrame()
{
    m_frameRec = new QGroupBox(this);
    m_wav = new QRadioButton(m_frameRec);
    m_mp3 = new QRadioButton(m_frameRec);
    m_ogg = new QRadioButton(m_frameRec);
    m_encoding = new QButtonGroup(this);
    m_encoding->addButton(m_wav, 0);
    m_encoding->addButton(m_mp3, 1);
    m_encoding->addButton(m_ogg, 2);
    connect(m_encoding, &QButtonGroup::idToggled, this, [this] { Encoding_Click(); });
    m_rate = new QComboBox(m_frameRec);
    m_kbps = plainLabel(m_frameRec);
    m_uncompressed = dimLabel(m_frameRec);
    m_compressed = dimLabel(m_frameRec);
    m_folder = new QLineEdit(m_frameRec);
    connect(m_folder, &QLineEdit::editingFinished, this, &Tags::RecFolder_Validate);
    m_browse = new QPushButton(QStringLiteral("..."), m_frameRec);
    m_browse->setAutoDefault(false);
    connect(m_browse, &QPushButton::clicked, this, &Tags::Btn_brws_folders_Click);
    m_scheme = new QLineEdit(m_frameRec);
    m_fieldLabels[8]->setBuddy(m_folder);
    m_fieldLabels[9]->setBuddy(m_scheme);

    auto *grid = new QGridLayout(m_frameRec);
    grid->addWidget(m_wav, 0, 0);
    grid->addWidget(m_uncompressed, 0, 1, 1, 4);
    auto *compressedRow = new QHBoxLayout;
    compressedRow->addWidget(m_mp3);
    compressedRow->addWidget(m_ogg);
    compressedRow->addSpacing(12);
    compressedRow->addWidget(m_rate);
    compressedRow->addWidget(m_kbps);
    compressedRow->addSpacing(12);
    compressedRow->addWidget(m_compressed);
    compressedRow->addStretch();
    grid->addLayout(compressedRow, 1, 0, 1, 5);
    grid->addWidget(m_fieldLabels[8], 2, 0);
    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folder, 1);
    folderRow->addWidget(m_browse);
    grid->addLayout(folderRow, 2, 1, 1, 4);
    grid->addWidget(m_fieldLabels[9], 3, 0);
    grid->addWidget(m_scheme, 3, 1, 1, 4);
    auto *hint = m_fieldLabels[10];
    QPalette p = hint->palette();
    p.setColor(QPalette::WindowText, QColor(skins::palette::kIconDim));
    hint->setPalette(p);
    grid->addWidget(hint, 4, 1, 1, 4);
    grid->setColumnStretch(4, 1);
    return m_frameRec;
}

QGroupBox *Tags::buildLyricsFrame()
{
    m_frameKok = new QGroupBox(this);
    m_makeKok = new QCheckBox(m_frameKok);
    m_maxLength = new QLineEdit(m_frameKok);
    m_maxLength->setFixedWidth(kLyricsMaxWidth);
    m_fieldLabels[7]->setBuddy(m_maxLength);
    m_perLine = plainLabel(m_frameKok);
    m_note = dimLabel(m_frameKok);
    m_note->setWordWrap(true);
    auto *lengthRow = new QHBoxLayout;
    lengthRow->addWidget(m_makeKok);
    lengthRow->addSpacing(16);
    lengthRow->addWidget(m_fieldLabels[7]);
    lengthRow->addWidget(m_maxLength);
    lengthRow->addWidget(m_perLine);
    lengthRow->addStretch();
    auto *box = new QVBoxLayout(m_frameKok);
    box->addLayout(lengthRow);
    box->addWidget(m_note);
    return m_frameKok;
}

QLayout *Tags::buildButtons()
{
    m_ok = new QPushButton(this);
    m_all = new QPushButton(this);
    m_cancel = new QPushButton(this);
    m_ok->setDefault(true);
    m_all->setAutoDefault(false);
    m_cancel->setAutoDefault(false);
    for (QPushButton *b : {m_ok, m_all, m_cancel})
        b->setMinimumSize(96, 28);
    connect(m_ok, &QPushButton::clicked, this, &Tags::Btn_Validation_Click);
    connect(m_all, &QPushButton::clicked, this, &Tags::Btn_Tous_Click);
    connect(m_cancel, &QPushButton::clicked, this, &Tags::Btn_Abandon_Click);
    auto *row = new QHBoxLayout;
    row->addWidget(m_all);
    row->addStretch();
    row->addWidget(m_ok);
    row->addWidget(m_cancel);
    return row;
}

void Tags::LoadLanguage()
{
    m_texts = loadTagsTexts(m_languageFile);
    setWindowTitle(m_texts.Caption);
    m_cancel->setText(m_texts.Abandon);
    m_ok->setText(m_texts.Validation);
    m_all->setText(m_texts.Tous);
    for (int i = 0; i < kFieldLabelCount; ++i)
        m_fieldLabels[i]->setText(m_texts.Label1[i]);
    m_frameKok->setTitle(m_texts.FrameKok);
    m_makeKok->setText(m_texts.CheckKOK);
    m_frameTags->setTitle(m_texts.FrameTags);
    m_note->setText(m_texts.NotaBene);
    m_perLine->setText(m_texts.CaractLigne);
    m_frameRec->setTitle(m_texts.FrameRec);
    m_ogg->setText(m_texts.OptionOgg);
    m_mp3->setText(m_texts.OptionMP3);
    m_wav->setText(m_texts.OptionWav);
    m_kbps->setText(m_texts.Kbps);
    m_uncompressed->setText(m_texts.Brut);
    m_compressed->setText(m_texts.Compresse);
    // The empty-genre entry follows the language; a typed genre stays.
    const QString genre = genreText();
    InitGenres(*m_genre);
    if (genre.isEmpty())
        m_genre->setCurrentIndex(0);
    else
        m_genre->setCurrentText(genre);
}

void Tags::InitGenres(QComboBox &combo) const
{
    combo.clear();
    combo.addItem(m_texts.NullGenre);
    combo.addItems(genreNames());
}

void Tags::Form_Load(const QString &tagArtist, const QString &tagTitle)
{
    m_tagsValidated = false;
    LoadLanguage();
    m_rate->clear();
    m_rate->addItems(bitRates());
    m_form.Form_Load(tagArtist, tagTitle);
    showForm();
}

// The form's content into the fields.
void Tags::showForm()
{
    m_folder->setText(m_form.RecFolder);
    m_scheme->setText(m_form.GenericName);
    if (QAbstractButton *chosen = m_encoding->button(m_form.Encoding)) {
        chosen->setChecked(true);
    } else {
        // An unknown format: no button chosen, saved as WAV.
        m_encoding->setExclusive(false);
        for (QAbstractButton *b : m_encoding->buttons())
            b->setChecked(false);
        m_encoding->setExclusive(true);
    }
    Encoding_Click();
    m_rate->setCurrentIndex(m_form.RateIndex);
    m_maxLength->setText(m_form.LyricsMax);
    m_makeKok->setChecked(m_form.CheckKOK);
    const SongTags &t = m_form.Tags;
    m_artist->setText(t.Artist);
    m_title->setText(t.Title);
    m_album->setText(t.Album);
    m_year->setText(t.Year);
    m_track->setText(t.Track);
    if (t.Genre.isEmpty())
        m_genre->setCurrentIndex(0);
    else
        m_genre->setCurrentText(t.Genre);
    m_comment->setText(t.Comment);
}

// The fields into the form, before its rules run.
void Tags::takeForm()
{
    m_form.RecFolder = m_folder->text();
    m_form.GenericName = m_scheme->text();
    m_form.Encoding = m_encoding->checkedId();
    m_form.RateIndex = m_rate->currentIndex();
    m_form.LyricsMax = m_maxLength->text();
    m_form.CheckKOK = m_makeKok->isChecked();
    SongTags &t = m_form.Tags;
    t.Artist = m_artist->text();
    t.Title = m_title->text();
    t.Album = m_album->text();
    t.Year = m_year->text();
    t.Track = m_track->text();
    t.Genre = genreText();
    t.Comment = m_comment->text();
}

QString Tags::genreText() const
{
    // The empty-genre entry means no genre, whatever the language calls it.
    const QString text = m_genre->currentText();
    return m_genre->currentIndex() == 0 && text == m_genre->itemText(0) ? QString() : text;
}

// The bit rate only matters to the compressed formats.
void Tags::Encoding_Click()
{
    const bool compressed = !m_wav->isChecked();
    m_rate->setEnabled(compressed);
    m_kbps->setEnabled(compressed);
}

void Tags::setBatchEncode(bool batchEncode)
{
    m_batchEncode = batchEncode;
    if (!batchEncode)
        m_timer->stop();
    else if (isVisible())
        m_timer->start();
}

void Tags::Btn_Validation_Click()
{
    takeForm();
    finish(m_form.Btn_Validation_Click());
}

void Tags::Btn_Tous_Click()
{
    takeForm();
    finish(m_form.Btn_Tous_Click(*this));
}

void Tags::Btn_Abandon_Click()
{
    finish(m_form.Btn_Abandon_Click());
}

void Tags::Timer1_Timer()
{
    if (!m_batchEncode)
        return;
    m_timer->stop();
    QCoreApplication::processEvents();
    // A button pressed meanwhile has ended the dialog already.
    if (!isVisible())
        return;
    takeForm();
    finish(m_form.Timer1_Timer(true));
}

void Tags::finish(ExportOutcome outcome)
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

void Tags::Btn_brws_folders_Click()
{
    const QString current = m_folder->text().trimmed();
    const QString start = !current.isEmpty() && QDir(current).exists() ? current : QDir::rootPath();
    const QString chosen = QFileDialog::getExistingDirectory(this, m_texts.SaveFolder, start);
    if (!chosen.isEmpty())
        m_folder->setText(QDir::toNativeSeparators(chosen));
}

void Tags::RecFolder_Validate()
{
    m_form.RecFolder = m_folder->text();
    m_form.RecFolder_Validate();
    m_folder->setText(m_form.RecFolder);
}

bool Tags::confirmBatch(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, this);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void Tags::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    centreOnScreen();
    if (m_batchEncode)
        m_timer->start();
}

void Tags::centreOnScreen()
{
    adjustSize();
    const QRect area = screen()->availableGeometry();
    move(area.center() - rect().center());
}

} // namespace melorit::exporting
