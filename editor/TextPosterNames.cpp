#include "TextPosterNames.h"

#include "TransferPaths.h"

namespace {

const QString kTextFolder = QStringLiteral("TEXT/");

// Everything before the last '-', or the whole name when it has none.
QString cutStamp(const QString &name)
{
    const int dash = name.lastIndexOf(QLatin1Char('-'));
    return dash < 0 ? name : name.left(dash);
}

QString withoutExtension(const QString &name)
{
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

} // namespace

QString TextPosterNames::defaultName()
{
    return QStringLiteral("Texte");
}

QString TextPosterNames::nameFromEntry(const QString &entry)
{
    if (entry.isEmpty() || textFileOfEntry(entry).isEmpty())
        return defaultName();
    QString name = entry;
    name.remove(kTextFolder);
    return withoutExtension(name);
}

QString TextPosterNames::textFileOfEntry(const QString &entry)
{
    // The entry comes with the poster list from the server: only a plain
    // name inside TEXT/ may become a path.
    const QString name = entry.startsWith(kTextFolder) ? entry.mid(kTextFolder.size()) : entry;
    if (!TransferPaths::isPlainName(name))
        return QString();
    const QString stem = withoutExtension(name);
    return stem.isEmpty() ? QString() : kTextFolder + stem + QStringLiteral(".txt");
}

QString TextPosterNames::offeredName(const QString &name)
{
    if (name.size() >= 8 && name.contains(QLatin1Char('-')))
        return cutStamp(name);
    return name;
}

QString TextPosterNames::cleanName(const QString &typed)
{
    static const QString forbidden = QStringLiteral("/\\:|;\".");
    QString clean;
    clean.reserve(typed.size());
    for (const QChar c : typed) {
        if (forbidden.contains(c) || c.category() == QChar::Other_Control)
            continue;
        clean.append(c);
    }
    return clean.trimmed();
}

int TextPosterNames::maxNameBytes()
{
    return TransferPaths::MaxNameBytes - int(sizeof("-hhmmss.png")) + 1;
}

QString TextPosterNames::stampSuffix(const QTime &time)
{
    return QLatin1Char('-') + time.toString(QStringLiteral("hhmmss"));
}

QString TextPosterNames::pictureEntry(const QString &stem)
{
    return kTextFolder + stem + QStringLiteral(".png");
}

QString TextPosterNames::replacedPicture(const QString &previousName, const QString &name, const QString &stem)
{
    if (previousName.size() < 8 || cutStamp(previousName) != name || previousName == stem)
        return QString();
    return previousName + QStringLiteral(".png");
}
