#include "tools/SingingPage.h"

#include "audio/Capture.h"
#include "base/Language.h"
#include "scoring/ScoreKeys.h"
#include "scoring/ScoreSettings.h"
#include "tools/OptionsKeys.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

namespace melorit::tools {

SingingPage::SingingPage(QWidget *parent) : QWidget(parent)
{
    namespace keys = scoring::keys;
    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(16, 16, 16, 16);
    m_enabled = new QCheckBox(QStringLiteral("Score my singing"), this);
    m_device = new QComboBox(this);
    m_device->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_tolerance = new QSpinBox(this);
    m_tolerance->setRange(keys::kToleranceMin, keys::kToleranceMax);
    m_tolerance->setSingleStep(5);
    m_offset = new QSpinBox(this);
    m_offset->setRange(keys::kOffsetMin, keys::kOffsetMax);
    m_offset->setSingleStep(10);
    m_deviceLabel = new QLabel(this);
    m_toleranceLabel = new QLabel(this);
    m_offsetLabel = new QLabel(this);
    auto *form = new QFormLayout;
    form->addRow(m_deviceLabel, m_device);
    form->addRow(m_toleranceLabel, m_tolerance);
    form->addRow(m_offsetLabel, m_offset);
    box->addWidget(m_enabled);
    box->addLayout(form);
    box->addStretch();
    connect(m_enabled, &QCheckBox::clicked, this, &SingingPage::store);
    connect(m_device, &QComboBox::activated, this, &SingingPage::store);
    connect(m_tolerance, &QSpinBox::valueChanged, this, &SingingPage::store);
    connect(m_offset, &QSpinBox::valueChanged, this, &SingingPage::store);
}

void SingingPage::LoadLanguage(const QString &languageFile)
{
    const auto text = [&languageFile](QLatin1StringView key) {
        return languageText(languageFile, options::kTextSection, key);
    };
    m_enabled->setText(text(options::kScoreTextKey));
    m_deviceLabel->setText(text(options::kMicroTextKey));
    m_toleranceLabel->setText(text(options::kToleranceTextKey));
    m_offsetLabel->setText(text(options::kOffsetTextKey));
    m_defaultDevice = text(options::kMicroDefaultTextKey);
    if (m_device->count() > 0) {
        m_device->setItemText(0, m_defaultDevice);
    }
}

void SingingPage::Form_Load()
{
    m_loading = true;
    const scoring::ScoreSettings settings = scoring::ScoreSettings::read();
    m_enabled->setChecked(settings.enabled);
    m_device->clear();
    m_device->addItem(m_defaultDevice, QString());
    for (const std::string &name : audio::captureDeviceNames()) {
        const QString device = QString::fromStdString(name);
        m_device->addItem(device, device);
    }
    int current = m_device->findData(settings.device);
    if (current < 0) {
        // A device not plugged in now stays chosen.
        m_device->addItem(settings.device, settings.device);
        current = m_device->count() - 1;
    }
    m_device->setCurrentIndex(current);
    m_tolerance->setValue(settings.toleranceCents);
    m_offset->setValue(settings.offsetMs);
    m_loading = false;
}

void SingingPage::store()
{
    if (m_loading) {
        return;
    }
    scoring::ScoreSettings settings;
    settings.enabled = m_enabled->isChecked();
    settings.device = m_device->currentData().toString();
    settings.toleranceCents = m_tolerance->value();
    settings.offsetMs = m_offset->value();
    settings.write();
    Q_EMIT changed();
}

} // namespace melorit::tools
