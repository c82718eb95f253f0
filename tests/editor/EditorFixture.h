#pragma once

#include "AppGlobals.h"
#include "TextEditSimple.h"
#include "ZoTestInit.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// A work folder with a picture and a saved text poster, and an editor page
// built on it at 1280 x 800.
class EditorFixture
{
public:
    EditorFixture()
    {
        m_work = m_dir.path() + QLatin1Char('/');
        for (const char *folder : {"IMAGE", "VIDEO", "TEXT", "DATA"})
            QDir().mkpath(m_work + QLatin1String(folder));
        QImage picture(320, 180, QImage::Format_RGB32);
        picture.fill(QColor(200, 40, 40));
        picture.save(m_work + QStringLiteral("IMAGE/fond.png"));
        writeFile(QStringLiteral("TEXT/Promo-093012.txt"), "<p>Bonjour</p>");
        ApplicationPath = m_work;
    }

    QString work() const { return m_work; }

    void writeFile(const QString &relative, const QByteArray &content) const
    {
        QFile file(m_work + relative);
        if (file.open(QIODevice::WriteOnly))
            file.write(content);
    }

    std::unique_ptr<TextEditSimple> makePage(int rotation = 0) const
    {
        std::unique_ptr<TextEditSimple> page(new TextEditSimple);
        page->resize(1280, 800);
        page->slotResize(1280, 800, rotation);
        page->show();
        if (!QTest::qWaitForWindowExposed(page.get()))
            qWarning("editor page not exposed");
        return page;
    }

    // A poster record as the panel sends it.
    static QStringList record(const QString &image, const QString &text, const QString &opacity = QStringLiteral("100"))
    {
        return {QStringLiteral("0"), QStringLiteral("10"), image, QString(), QString(), QString(), text, QString(),
                opacity};
    }

private:
    QTemporaryDir m_dir;
    QString m_work;
};
