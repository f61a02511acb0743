#include "app/core/ProgramPaths.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Melorit"));
    window.show();
    return app.exec();
}
