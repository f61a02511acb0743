#pragma once

#include "engine/Mixer.h"

#include "Recorders.h"
#include "base/Ini.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace melorit::engine::test {

// A mixer bound to a recording stream and view, with the settings file of a
// song in a fresh folder.
class MixerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_file = m_dir.filePath(QStringLiteral("song.mst"));
        bind(m_mixer);
    }

    void bind(Mixer &mixer)
    {
        mixer.setTarget(&m_target);
        mixer.setView(&m_view);
        mixer.setLanguageFile(englishLanguageFile());
        mixer.setSongSettingsFile(m_file);
    }

    void writeSettings(const QByteArray &bytes) const
    {
        QFile f(m_file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QString stored(const char *section, const QString &key) const
    {
        return ReadIni(QString::fromLatin1(section), key, m_file);
    }
    QString stored(const char *section, const char *key) const
    {
        return stored(section, QString::fromLatin1(key));
    }

    // The last mix level sent to each channel (-1 when none was sent).
    std::array<int, kChannelCount> lastLevels() const
    {
        std::array<int, kChannelCount> levels;
        levels.fill(-1);
        for (const SentEvent &e : m_target.sentOf(MIDI_EVENT_MIXLEVEL)) {
            levels[e.channel] = static_cast<int>(e.param);
        }
        return levels;
    }

    void click(int button, MouseButton mouse = MouseButton::Left)
    {
        m_mixer.PicSM_MouseDown(mouse);
        ASSERT_TRUE(m_mixer.PicSM_Click(button));
    }

    void drag(int control, int x0, int y0, int x1, int y1)
    {
        m_mixer.Potard_MouseDown(control, MouseButton::Left, x0, y0);
        m_mixer.Potard_MouseMove(x1, y1);
        m_mixer.Potard_MouseUp();
    }

    QTemporaryDir m_dir;
    QString m_file;
    RecordingTarget m_target;
    RecordingView m_view;
    Mixer m_mixer;
};

} // namespace melorit::engine::test
