#include "engine/Markers.h"

#include "base/Ini.h"
#include "base/Language.h"
#include "base/TextUtil.h"
#include "engine/SettingsKeys.h"
#include "engine/TimeText.h"

namespace melorit::engine {
namespace {

QString timeValue(double seconds)
{
    return text::formatNumber(seconds, u"0.000");
}

} // namespace

void SaveMarqueurs(const QString &settingsFile, const Markers &markers)
{
    if (settingsFile.isEmpty()) {
        return;
    }
    WriteIni(mst::kMarkersSection, mst::kMarkersActiveKey,
             markers.PunchActive ? QStringLiteral("1") : QStringLiteral("0"), settingsFile);
    WriteIni(mst::kMarkersSection, mst::kMarkersStartKey, timeValue(markers.PunchIn), settingsFile);
    WriteIni(mst::kMarkersSection, mst::kMarkersEndKey, timeValue(markers.PunchOut), settingsFile);
}

void LoadMarqueurs(const QString &settingsFile, Markers &markers)
{
    if (settingsFile.isEmpty()) {
        return;
    }
    const QString start = ReadIni(mst::kMarkersSection, mst::kMarkersStartKey, settingsFile);
    if (start.isEmpty()) {
        // No markers stored for this song: none, whatever the previous song had.
        markers = Markers{};
        return;
    }
    markers.PunchIn = text::ValDecimal(start);
    markers.PunchOut =
        text::ValDecimal(ReadIni(mst::kMarkersSection, mst::kMarkersEndKey, settingsFile));
    markers.PunchActive =
        ReadIni(mst::kMarkersSection, mst::kMarkersActiveKey, settingsFile) == u"1";
}

QString markerTip(const QString &languageFile, MarkerEnd end, const Markers &markers,
                  double tempoRatio, const QString &decimalPoint)
{
    const bool start = end == MarkerEnd::Start;
    const double time = start ? markers.PunchIn : markers.PunchOut;
    const bool set = time > 0;
    const QString key = QStringLiteral("SM(%1-%2)")
                            .arg(start ? QStringLiteral("Start") : QStringLiteral("End"))
                            .arg(set ? 1 : 0);
    const QString templ = languageText(languageFile, QStringLiteral("Main"), key);
    return text::fillPlaceholders(templ, SecondsToText(time * tempoRatio, decimalPoint));
}

} // namespace melorit::engine
