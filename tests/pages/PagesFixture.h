#pragma once

#include "../sync/ParamFixture.h"
#include "AppGlobals.h"
#include "ClassParam.h"
#include "ZoTestInit.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QToolButton>

// A work folder with DATA/PLAYER.orvex for the settings pages: the pages
// copy ApplicationPath when they are built, so build them after this.
class PagesFixture
{
public:
    PagesFixture()
    {
        ApplicationPath = m_dir.path() + QLatin1Char('/');
        for (const char *folder : {"DATA", "IMAGE", "TEXT", "LINKS"})
            QDir().mkpath(path(QLatin1String(folder)));
    }

    QString path(const QString &relative) const { return ApplicationPath + relative; }
    QString playerFile() const { return path(QStringLiteral("DATA/PLAYER.orvex")); }

    bool writePlayer(const ParamList &values) const { return writeParams(playerFile(), values); }

    QString value(const QString &key) const
    {
        ClassParam param;
        return param.getParamCrypt(playerFile(), key, 0);
    }

    QByteArray playerBytes() const
    {
        QFile file(playerFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // A plain picture of one colour, saved under the work folder.
    bool picture(const QString &relative, const QColor &color, const QSize &size = QSize(320, 180)) const
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(color);
        return image.save(path(relative));
    }

private:
    QTemporaryDir m_dir;
};

// The page's tool button showing `text`.
inline QToolButton *toolButton(QWidget &page, const QString &text)
{
    for (QToolButton *b : page.findChildren<QToolButton *>()) {
        if (b->text() == text)
            return b;
    }
    return nullptr;
}
