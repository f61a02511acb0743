#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;

namespace melorit::tools {

// The options dialog's singing page: scoring the singer through a
// microphone (off until asked for), which capture device, the pitch
// tolerance in cents and the latency offset in milliseconds. Every change
// is stored at once. UI thread.
class SingingPage : public QWidget {
    Q_OBJECT
public:
    explicit SingingPage(QWidget *parent = nullptr);

    // Texts of section "Options" of the language file.
    void LoadLanguage(const QString &languageFile);
    // The stored settings and the capture devices there are now.
    void Form_Load();

    QCheckBox *chkScore() const { return m_enabled; }
    QComboBox *ComboMicro() const { return m_device; }
    QSpinBox *tolerance() const { return m_tolerance; }
    QSpinBox *offset() const { return m_offset; }

Q_SIGNALS:
    // The user changed a setting (already stored).
    void changed();

private:
    void store();

    QCheckBox *m_enabled = nullptr;
    QLabel *m_deviceLabel = nullptr;
    QComboBox *m_device = nullptr;
    QLabel *m_toleranceLabel = nullptr;
    QSpinBox *m_tolerance = nullptr;
    QLabel *m_offsetLabel = nullptr;
    QSpinBox *m_offset = nullptr;
    QString m_defaultDevice; // the list's first entry: the system's default input
    bool m_loading = false;
};

} // namespace melorit::tools
