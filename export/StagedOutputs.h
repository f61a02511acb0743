#pragma once

#include "export/OutputNaming.h"

#include <QString>
#include <QStringList>

namespace melorit::exporting {

// The files of one conversion written under temporary names in their own
// folder ("song.partial-Ab12Cd.wav", ".kok", ...) and given their final names
// only once the conversion is complete, so a stopped or killed conversion
// never leaves a file that looks done. The temporaries of conversions killed
// a minute ago or more are removed on the way. Used by melorit-cli; the
// program keeps writing under the final name (its Cancel keeps the truncated
// file). Any thread; one object per conversion.
class StagedOutputs {
public:
    // Reserves the temporary name beside final.Full (an empty file under the
    // audio file's temporary name); ok() tells whether it could.
    explicit StagedOutputs(const OutputPaths &final);
    ~StagedOutputs();
    StagedOutputs(const StagedOutputs &) = delete;
    StagedOutputs &operator=(const StagedOutputs &) = delete;

    bool ok() const { return !m_staged.Full.isEmpty(); }
    // Where the conversion writes: the final paths with the temporary stem.
    const OutputPaths &paths() const { return m_staged; }
    // The files written so far under temporary names, each with its final
    // name, the audio file last.
    QList<std::pair<QString, QString>> written() const;
    // Gives every file written its final name, replacing an existing one;
    // the audio file last, so it only appears with its lyrics beside it.
    // False (and the temporaries removed) when a rename fails.
    bool commit();
    // Removes every file written under the temporary names.
    void discard();

private:
    // The temporary name of each file the conversion may write, the audio
    // file last, with its final name.
    QList<std::pair<QString, QString>> files() const;

    OutputPaths m_final;
    OutputPaths m_staged;
    bool m_done = false;
};

} // namespace melorit::exporting
