#include "app/mainwin/Temps.h"

#include "app/mainwin/TimeEntry.h"
#include "base/Ini.h"
#include "skins/WindowPalette.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace melorit::mainwin {

Temps::Temps(const QString &languageFile, QWidget *parent)
    : QDialog(parent), m_languageFile(languageFile), m_text(new QLineEdit(this)),
      m_raz(new QPushButton(this)), m_validation(new QPushButton(this)),
      m_abandon(new QPushButton(this))
{
    setObjectName(QStringLiteral("Temps"));
    setPalette(skins::windowPalette());
    setModal(true);
    m_text->setObjectName(QStringLiteral("TextTemps"));
    m_raz->setObjectName(QStringLiteral("Cmd_Raz"));
    m_validation->setObjectName(QStringLiteral("Btn_Validation"));
    m_abandon->setObjectName(QStringLiteral("Btn_Abandon"));
    m_text->setMinimumWidth(160);
    m_text->setAlignment(Qt::AlignCenter);
    m_validation->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_raz);
    buttons->addStretch(1);
    buttons->addWidget(m_validation);
    buttons->addWidget(m_abandon);
    auto *column = new QVBoxLayout(this);
    column->addWidget(m_text);
    column->addLayout(buttons);

    connect(m_raz, &QPushButton::clicked, this,
            [this] { setTimeText(QStringLiteral("0:00,000")); });
    connect(m_validation, &QPushButton::clicked, this, &Temps::validate);
    connect(m_abandon, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_text, &QLineEdit::textChanged, this, &Temps::showValidity);

    LoadLanguage();
    adjustSize();
    // CenterForm: the middle of the screen.
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void Temps::LoadLanguage()
{
    const auto text = [this](const char *key) {
        return ReadIni(QStringLiteral("Temps"), QString::fromLatin1(key), m_languageFile);
    };
    setWindowTitle(text("Caption"));
    m_abandon->setText(text("Abandon"));
    m_validation->setText(text("Validation"));
    m_raz->setText(text("Raz"));
}

void Temps::setTimeText(const QString &text)
{
    m_text->setText(text);
    m_text->selectAll();
}

QString Temps::timeText() const
{
    return m_text->text();
}

std::optional<double> Temps::confirmedTime() const
{
    if (!m_confirmed) {
        return std::nullopt;
    }
    return m_time;
}

void Temps::validate()
{
    m_time = parseTimeEntry(m_text->text());
    if (!m_time) {
        showValidity();
        m_text->setFocus();
        return;
    }
    m_confirmed = true;
    accept();
}

void Temps::showValidity()
{
    const bool valid = parseTimeEntry(m_text->text()).has_value();
    m_validation->setEnabled(valid);
    m_text->setStyleSheet(valid ? QString() : QStringLiteral("color: #ff4d5b;"));
}

} // namespace melorit::mainwin
