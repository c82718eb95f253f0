#include "QtTranslations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

QString QtTranslations::file()
{
    return QDir(QLibraryInfo::location(QLibraryInfo::TranslationsPath)).filePath(QStringLiteral("qtbase_fr.qm"));
}

bool QtTranslations::install(QCoreApplication *app)
{
    auto *translator = new QTranslator(app);
    if (!translator->load(file()) || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}
