#include "export/ExportDialog.h"

#include "export/ExportKeys.h"
#include "skins/WindowPalette.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

// The window's controls and their places.
namespace melorit::exporting {
namespace {

constexpr int kLyricsMaxWidth = 48;
constexpr int kFieldMinimumWidth = 300;
constexpr int kBrowseWidth = 36;

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

QGroupBox *ExportDialog::buildTagsFrame()
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
    for (int i = 0; i < kFieldLabelCount; ++i) {
        m_fieldLabels[i] = buddyLabel(i < 7 ? fields[i] : nullptr, this);
    }
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

QGroupBox *ExportDialog::buildAudioFrame()
{
    m_frameRec = new QGroupBox(this);
    m_wav = new QRadioButton(m_frameRec);
    m_mp3 = new QRadioButton(m_frameRec);
    m_ogg = new QRadioButton(m_frameRec);
    m_mp4 = new QRadioButton(m_frameRec);
    m_encoding = new QButtonGroup(this);
    m_encoding->addButton(m_wav, 0);
    m_encoding->addButton(m_mp3, 1);
    m_encoding->addButton(m_ogg, 2);
    m_encoding->addButton(m_mp4, 3);
    connect(m_encoding, &QButtonGroup::idToggled, this, [this] { Encoding_Click(); });
    m_rate = new QComboBox(m_frameRec);
    m_kbps = plainLabel(m_frameRec);
    m_uncompressed = dimLabel(m_frameRec);
    m_compressed = dimLabel(m_frameRec);
    m_folder = new QLineEdit(m_frameRec);
    connect(m_folder, &QLineEdit::editingFinished, this, &ExportDialog::RecFolder_Validate);
    m_browse = new QPushButton(QStringLiteral("..."), m_frameRec);
    m_browse->setAutoDefault(false);
    m_browse->setFixedWidth(kBrowseWidth);
    connect(m_browse, &QPushButton::clicked, this, &ExportDialog::Btn_brws_folders_Click);
    m_scheme = new QLineEdit(m_frameRec);
    m_fieldLabels[8]->setBuddy(m_folder);
    m_fieldLabels[9]->setBuddy(m_scheme);

    auto *grid = new QGridLayout(m_frameRec);
    grid->addWidget(m_wav, 0, 0);
    grid->addWidget(m_uncompressed, 0, 1, 1, 4);
    auto *compressedRow = new QHBoxLayout;
    compressedRow->addWidget(m_mp3);
    compressedRow->addWidget(m_ogg);
    compressedRow->addWidget(m_mp4);
    compressedRow->addSpacing(12);
    compressedRow->addWidget(m_rate);
    compressedRow->addWidget(m_kbps);
    compressedRow->addSpacing(12);
    compressedRow->addWidget(m_compressed);
    compressedRow->addStretch();
    grid->addLayout(compressedRow, 1, 0, 1, 5);
    grid->addLayout(buildLoudnessRow(), 2, 0, 1, 5);
    QLayout *videoRow = buildVideoRow();
    grid->addWidget(m_videoBack, 3, 0);
    grid->addLayout(videoRow, 3, 1, 1, 4);
    grid->addWidget(m_fieldLabels[8], 4, 0);
    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folder, 1);
    folderRow->addWidget(m_browse);
    grid->addLayout(folderRow, 4, 1, 1, 4);
    grid->addWidget(m_fieldLabels[9], 5, 0);
    grid->addWidget(m_scheme, 5, 1, 1, 4);
    auto *hint = m_fieldLabels[10];
    QPalette p = hint->palette();
    p.setColor(QPalette::WindowText, QColor(skins::palette::kIconDim));
    hint->setPalette(p);
    grid->addWidget(hint, 6, 1, 1, 4);
    grid->setColumnStretch(4, 1);
    return m_frameRec;
}

// Every format: one gain for the song, to the loudness in the box.
QLayout *ExportDialog::buildLoudnessRow()
{
    m_normalize = new QCheckBox(m_frameRec);
    m_loudness = new QDoubleSpinBox(m_frameRec);
    m_loudness->setRange(config::kLoudnessLowest, config::kLoudnessHighest);
    m_loudness->setDecimals(1);
    m_loudness->setSingleStep(1.0);
    m_loudness->setSuffix(QStringLiteral(" LUFS"));
    connect(m_normalize, &QCheckBox::toggled, m_loudness, &QWidget::setEnabled);
    auto *row = new QHBoxLayout;
    row->addWidget(m_normalize);
    row->addWidget(m_loudness);
    row->addStretch();
    return row;
}

// Only the video uses it: a colour, or an image when one is named.
QLayout *ExportDialog::buildVideoRow()
{
    m_videoBack = plainLabel(m_frameRec);
    m_videoColour = new QPushButton(m_frameRec);
    m_videoColour->setAutoDefault(false);
    connect(m_videoColour, &QPushButton::clicked, this, &ExportDialog::Btn_VideoColour_Click);
    m_videoImageLabel = plainLabel(m_frameRec);
    m_videoImage = new QLineEdit(m_frameRec);
    m_videoImage->setClearButtonEnabled(true);
    m_videoImageLabel->setBuddy(m_videoImage);
    m_videoBrowse = new QPushButton(QStringLiteral("..."), m_frameRec);
    m_videoBrowse->setAutoDefault(false);
    m_videoBrowse->setFixedWidth(kBrowseWidth);
    connect(m_videoBrowse, &QPushButton::clicked, this, &ExportDialog::Btn_VideoImage_Click);
    auto *row = new QHBoxLayout;
    row->addWidget(m_videoColour);
    row->addSpacing(8);
    row->addWidget(m_videoImageLabel);
    row->addWidget(m_videoImage, 1);
    row->addWidget(m_videoBrowse);
    return row;
}

QGroupBox *ExportDialog::buildLyricsFrame()
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
    // The formats only count when lyrics files are made.
    auto *formatRow = new QHBoxLayout;
    for (QCheckBox **format : {&m_formatKok, &m_formatLrc, &m_formatAss}) {
        *format = new QCheckBox(m_frameKok);
        formatRow->addWidget(*format);
        connect(m_makeKok, &QCheckBox::toggled, *format, &QWidget::setEnabled);
    }
    formatRow->addStretch();
    auto *box = new QVBoxLayout(m_frameKok);
    box->addLayout(lengthRow);
    box->addLayout(formatRow);
    box->addWidget(m_note);
    return m_frameKok;
}

QLayout *ExportDialog::buildButtons()
{
    m_ok = new QPushButton(this);
    m_all = new QPushButton(this);
    m_cancel = new QPushButton(this);
    m_ok->setDefault(true);
    m_all->setAutoDefault(false);
    m_cancel->setAutoDefault(false);
    for (QPushButton *b : {m_ok, m_all, m_cancel}) {
        b->setMinimumSize(96, 28);
    }
    connect(m_ok, &QPushButton::clicked, this, &ExportDialog::Btn_Validation_Click);
    connect(m_all, &QPushButton::clicked, this, &ExportDialog::Btn_Tous_Click);
    connect(m_cancel, &QPushButton::clicked, this, &ExportDialog::Btn_Abandon_Click);
    auto *row = new QHBoxLayout;
    row->addWidget(m_all);
    row->addStretch();
    row->addWidget(m_ok);
    row->addWidget(m_cancel);
    return row;
}

} // namespace melorit::exporting
