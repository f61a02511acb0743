#pragma once

#include <QDialog>
#include <QString>

#include <optional>

class QLineEdit;
class QPushButton;

namespace melorit::mainwin {

// The time-entry dialog: one text box `TextTemps` with the proposed time, a
// reset button `Cmd_Raz` ("0:00,000"), a confirm button `Btn_Validation` and
// a cancel button `Btn_Abandon`. Texts from the language section "Temps".
// Confirm is refused while the text is not a time (the box turns red), so a
// slip never stores 0. UI thread.
class Temps : public QDialog {
    Q_OBJECT
public:
    explicit Temps(const QString &languageFile, QWidget *parent = nullptr);

    void LoadLanguage();
    // The text box's contents.
    void setTimeText(const QString &text);
    QString timeText() const;
    // Set by a confirm with a valid time; cleared when the dialog loads.
    bool confirmed() const { return m_confirmed; }
    // The confirmed time in seconds; nothing without a confirm.
    std::optional<double> confirmedTime() const;

    QLineEdit *TextTemps() const { return m_text; }
    QPushButton *Cmd_Raz() const { return m_raz; }
    QPushButton *Btn_Validation() const { return m_validation; }
    QPushButton *Btn_Abandon() const { return m_abandon; }

private:
    void validate();
    void showValidity();

    QString m_languageFile;
    QLineEdit *m_text;
    QPushButton *m_raz;
    QPushButton *m_validation;
    QPushButton *m_abandon;
    bool m_confirmed = false;
    std::optional<double> m_time;
};

} // namespace melorit::mainwin
