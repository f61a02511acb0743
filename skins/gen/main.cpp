// Draws the nine skin sheets and a contact sheet of them. Run by the build:
//   melorit_skingen <output folder> <folder of the DejaVu fonts>
// The pictures depend only on this code and the two font files, so every
// build draws the same pixels.

#include "skins/SkinSheets.h"
#include "skins/gen/Canvas.h"
#include "skins/gen/ContactSheet.h"
#include "skins/gen/SheetPainters.h"

#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>

#include <array>
#include <cstdio>

using namespace melorit::skins;

namespace {

using Painter = void (*)(QImage &);

constexpr std::array<Painter, kSheetCount> kPainters{
    gen::paintRotaryKnobs,   gen::paintNumberStrips, gen::paintButtons,
    gen::paintActivityLamps, gen::paintEffectKnobs,  gen::paintFaders,
    gen::paintLevelMeter,    gen::paintLedFont,      gen::paintTransposeKnob};

int fail(const char *what, const QString &detail)
{
    std::fprintf(stderr, "melorit_skingen: %s %s\n", what, qUtf8Printable(detail));
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        return fail("usage:", QStringLiteral("melorit_skingen <output folder> <font folder>"));
    }
    const QDir out(args[1]);
    if (!QDir().mkpath(out.path())) {
        return fail("cannot create", out.path());
    }
    if (!gen::loadFonts(args[2])) {
        return fail("missing DejaVuSans-Bold.ttf or DejaVuSansMono-Bold.ttf in", args[2]);
    }
    std::array<QImage, kSheetCount> sheets;
    for (int i = 0; i < kSheetCount; ++i) {
        const Sheet sheet = sheetAt(i);
        QImage &image = sheets[static_cast<std::size_t>(i)];
        image = gen::newSheet(sheet);
        kPainters[static_cast<std::size_t>(i)](image);
        const QString path =
            out.filePath(QStringLiteral("%1.png").arg(sheetInfo(sheet).resourceId));
        if (!gen::saveSheet(image, sheet, path)) {
            return fail("cannot write", path);
        }
    }
    const QString contact = out.filePath(QStringLiteral("contact-sheet.png"));
    if (!QImageWriter(contact, "png").write(gen::contactSheet(sheets))) {
        return fail("cannot write", contact);
    }
    return 0;
}
