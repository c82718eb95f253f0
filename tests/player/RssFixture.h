#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QUuid>

// The feed fixtures of tests/player/rss, copied into a fresh folder of the
// stand-in's tree so that its HTTP server serves them (with "@BASE@" in the
// feeds replaced by the folder's address).
class RssFixture
{
public:
    explicit RssFixture(const QString &standInRoot, const QString &standInUrl)
        : m_folder(QStringLiteral("rss-") + QUuid::createUuid().toString(QUuid::Id128).left(12))
        , m_path(standInRoot + QLatin1Char('/') + m_folder + QLatin1Char('/'))
        , m_base(standInUrl + QStringLiteral("zobox/") + m_folder + QLatin1Char('/'))
    {
        const QDir source(qEnvironmentVariable("ZO_SOURCE_DIR") + QStringLiteral("/tests/player/rss"));
        QDir().mkpath(m_path);
        for (const QString &name : source.entryList(QDir::Files)) {
            if (name.endsWith(QLatin1String(".xml")))
                publish(name, text(source.filePath(name)));
            else
                QFile::copy(source.filePath(name), m_path + name);
        }
    }

    // Marker of this fixture's requests in the stand-in's log.
    QString folder() const { return m_folder; }
    QString url(const QString &name) const { return m_base + name; }
    QString base() const { return m_base; }

    // Serves `content` (placeholders replaced) under `name`.
    bool publish(const QString &name, QByteArray content) const
    {
        content.replace("@BASE@", m_base.toUtf8());
        QFile file(m_path + name);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size();
    }

    static QByteArray text(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QString m_folder;
    QString m_path;
    QString m_base;
};
