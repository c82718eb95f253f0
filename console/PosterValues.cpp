#include "PosterValues.h"

#include <QCoreApplication>
#include <QDir>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("classPrincipal", text);
}

bool isEmptyOrNull(const QString &v)
{
    return v.isEmpty() || v == QLatin1String("NULL");
}

bool isRotated(int rotation)
{
    return rotation == 90 || rotation == -90;
}

} // namespace

double PosterValues::appliedOpacity(int percent)
{
    double a = percent / 100.0;
    if (a >= 1.0)
        a = 0.99;
    return QString::number(a, 'f', 2).toDouble();
}

int PosterValues::shownOpacity(const QString &stored)
{
    return qMax(30, stored.toInt());
}

bool PosterValues::opacityEntry(const QString &text, int *percent)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok || v < 10 || v > 100)
        return false;
    *percent = v;
    return true;
}

QString PosterValues::shownDelay(const QString &stored, int *seconds)
{
    const int n = stored.toInt();
    *seconds = n > 0 ? n : 0;
    return n > 0 ? stored : QStringLiteral("0");
}

bool PosterValues::delayEntry(const QString &text, int *seconds)
{
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        *seconds = 0;
        return true;
    }
    bool ok = false;
    const int v = t.toInt(&ok);
    if (!ok || v < 0)
        return false;
    *seconds = v;
    return true;
}

int PosterValues::clampDelay(int seconds, int maximum)
{
    return qBound(0, seconds, qMax(0, maximum));
}

QString PosterValues::mediaPath(const QString &folder, const QString &rowText)
{
    if (rowText.isEmpty() || rowText == QLatin1String("OFF"))
        return QString();
    return folder + rowText;
}

QString PosterValues::folderOf(const QString &path)
{
    const QStringList parts = path.split(QLatin1Char('/'), Qt::KeepEmptyParts);
    if (parts.size() < 2)
        return QString();
    const QString folder = parts.first() + QLatin1Char('/');
    if (folder == QLatin1String("IMAGE/") || folder == QLatin1String("VIDEO/") || folder == QLatin1String("TEXT/"))
        return folder;
    return QString();
}

int PosterValues::rowOf(const QString &path, const QStringList &rows)
{
    const QStringList parts = path.split(QLatin1Char('/'), Qt::KeepEmptyParts);
    if (parts.size() < 2 || folderOf(path).isEmpty())
        return 0;
    const int row = rows.indexOf(parts.at(1));
    return row < 0 ? 0 : row;
}

QString PosterValues::weekdayNames(const QString &digits)
{
    static const char *const names[] = {"Lun.", "Mar.", "Mer.", "Jeu.", "Ven.", "Sam.", "Dim."};
    QString result;
    if (isEmptyOrNull(digits))
        return result;
    // ASCII digits only, as the pages and the preview read them.
    for (int i = 0; i < digits.size(); ++i) {
        const QChar c = digits.at(i);
        if (c < QLatin1Char('1') || c > QLatin1Char('7'))
            continue;
        const int d = c.unicode() - '0';
        if (i == 0)
            result = tr(names[d - 1]);
        else
            result += QLatin1Char(' ') + tr(names[d - 1]);
    }
    return result;
}

QString PosterValues::widgetPicture(const QString &slideType, int rotation)
{
    const bool r = isRotated(rotation);
    if (slideType == QLatin1String("WIDGETMETEO"))
        return r ? QStringLiteral(":/images/Meteo-Portrait.jpg") : QStringLiteral(":/images/Meteo-Paysage.jpg");
    if (slideType == QLatin1String("WIDGETRSS"))
        return r ? QStringLiteral(":/images/RSS-Portrait.jpg") : QStringLiteral(":/images/RSS-Paysage.jpg");
    if (slideType == QLatin1String("WIDGETHEURE"))
        return r ? QStringLiteral(":/images/HORLOGE-Portrait.jpg") : QStringLiteral(":/images/HORLOGE-Paysage.jpg");
    if (slideType == QLatin1String("WIDGETSITEWEB"))
        return r ? QStringLiteral(":/images/WEBAPP-Portrait.jpg") : QStringLiteral(":/images/WEBAPP-Paysage.jpg");
    return QString();
}

QString PosterValues::widgetKindPicture(const QString &kindCaption, int rotation)
{
    if (kindCaption == tr("METEO"))
        return widgetPicture(QStringLiteral("WIDGETMETEO"), rotation);
    if (kindCaption == tr("FLUX RSS"))
        return widgetPicture(QStringLiteral("WIDGETRSS"), rotation);
    return QString();
}

QString PosterValues::datePeriod(const QString &start, const QString &end, bool second)
{
    if (isEmptyOrNull(end))
        return QString();
    return (second ? QStringLiteral("Et du ") : QStringLiteral("Du ")) + start + QStringLiteral(" au ") + end;
}

QString PosterValues::hourPeriod(const QString &start, const QString &end, bool second)
{
    if (isEmptyOrNull(end))
        return QString();
    return (second ? QStringLiteral("Et de ") : QStringLiteral("De ")) + start + QStringLiteral(" à ") + end;
}

QString PosterValues::weekdaysLine(const QString &digits)
{
    if (isEmptyOrNull(digits))
        return QString();
    return QStringLiteral("Le ") + weekdayNames(digits);
}

PosterValues::Power PosterValues::power(const QString &value, bool second)
{
    Power p;
    const QStringList parts = value.split(QLatin1Char('|'), Qt::KeepEmptyParts);
    if (parts.size() < 2 || parts.first().isEmpty())
        return p;
    p.visible = true;
    p.period = (second ? QStringLiteral(" Et de ") : QStringLiteral("De ")) + parts.at(0) + QStringLiteral(" à ")
        + parts.at(1);
    if (!second && parts.size() > 2 && !parts.at(2).isEmpty())
        p.days = QStringLiteral("\nLe ") + weekdayNames(parts.at(2));
    return p;
}

QString PosterValues::linkedPlaylists(const QString &playlistValue)
{
    const QStringList entries = playlistValue.split(QLatin1Char('|'), Qt::KeepEmptyParts);
    if (entries.first() == QLatin1String("NULL"))
        return QString();
    QString text = QStringLiteral("Playlists liées:");
    for (QString e : entries)
        text += QLatin1Char(' ') + e.remove(QStringLiteral("PLAYLIST-"));
    return text;
}

QStringList PosterValues::mediaFiles(const QString &folder, const QStringList &patterns)
{
    QDir dir(folder);
    dir.setFilter(QDir::Files | QDir::NoDotAndDotDot);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    dir.setNameFilters(patterns);
    return dir.entryList();
}
