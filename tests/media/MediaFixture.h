#pragma once

#include "../sync/ParamFixture.h"

#include "ClassParam.h"
#include "OperationJournal.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QStringList>
#include <QTemporaryDir>

// A work folder with the media folders, an empty media index, a login file
// with two users (an administrator and a user with the categories A;B) and
// a poster list naming IMAGE/used.png and VIDEO/used.mp4.
class MediaFixture
{
public:
    MediaFixture()
    {
        work = dir.path() + QStringLiteral("/");
        for (const char *sub : {"TEMP", "IMAGE", "VIDEO", "TEXT", "DATA"})
            QDir().mkpath(work + QLatin1String(sub));
        writeParams(index(), {{"FILEPATH", ""}, {"FILECHK", ""}, {"FILESIZE", ""}, {"FILEPATHPERMISSION", ""}, {"ID", "1"}});
        writeParams(work + "LoginCrypt.orvex",
                    {{"USERLIST", "admin|agent"},
                     {"PLAYPERMISSION", "A;B;C|A;B"},
                     {"CATEGORYLIST", "A|B|C"},
                     {"CATEGORYELEMENTS", "1001|1002|1003"},
                     {"PLAYERLIST", "1001|1002|1003"},
                     {"PLAYERLISTNAME", "Hall|Salle|Bar"}});
        writeParams(work + "DATA/PLAYER.orvex",
                    {{"SLIDETYPE", "|"}, {"SLIDENAMEIMAGE", "IMAGE/used.png|"}, {"SLIDENAMEVIDEO", "|VIDEO/used.mp4"}});
    }

    QString index() const { return work + QStringLiteral("TEMP/MEDIA.orvex"); }
    QString journal() const { return work + QStringLiteral("TEMP/INFOMEDIA.orvex"); }

    QString read(const QString &file, const QString &key) const
    {
        ClassParam param;
        return param.getParamCrypt(file, key, 1);
    }
    QString indexKey(const char *key) const { return read(index(), QLatin1String(key)); }

    // The journal's records, in order.
    QStringList records() const
    {
        QStringList found;
        const int n = read(journal(), OperationJournal::countKey()).toInt();
        for (int k = 1; k <= n; ++k)
            found << read(journal(), OperationJournal::recordKey(k));
        return found;
    }

    // A picture of w x h at `relative` (or any path); returns the full path.
    QString picture(const QString &relative, int w = 64, int h = 48, QColor colour = Qt::darkCyan) const
    {
        const QString path = relative.startsWith('/') ? relative : work + relative;
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(colour);
        image.save(path);
        return path;
    }
    QString bytes(const QString &relative, qint64 size) const
    {
        const QString path = relative.startsWith('/') ? relative : work + relative;
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(QByteArray(int(size), 'v'));
        return path;
    }

    QTemporaryDir dir;
    QString work;
};
