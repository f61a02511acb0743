#include "skins/DarkLook.h"

#include "skins/WindowPalette.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

namespace melorit::skins {

void applyDarkLook()
{
    const QString fusion = QStringLiteral("Fusion");
    if (QApplication::style()->name().compare(fusion, Qt::CaseInsensitive) != 0) {
        QApplication::setStyle(QStyleFactory::create(fusion));
    }
    QApplication::setPalette(windowPalette());
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
}

} // namespace melorit::skins
