#include "PosterFileTable.h"

#include "ClassParam.h"
#include "ParamFileBatch.h"
#include "PosterEntries.h"

#include <QCoreApplication>
#include <QFileInfo>

PosterFileTable::PosterFileTable(ClassParam &store, const QString &workFolder)
    : m_store(store)
    , m_workFolder(workFolder)
{
}

QString PosterFileTable::path() const
{
    return m_workFolder + QStringLiteral("DATA/PLAYER.orvex");
}

bool PosterFileTable::load()
{
    m_error.clear();
    m_loaded = m_table.readAll(m_store, path());
    if (!m_loaded) {
        m_error = QCoreApplication::translate("PosterFileTable",
                                              "Le fichier des affiches de l'écran est introuvable ou illisible.");
    } else if (QFileInfo(path()).size() > 0 && m_store.BALISE.value(0).isEmpty()) {
        // Bytes that decipher to no key line: a write would bury them.
        m_loaded = false;
        m_error = QCoreApplication::translate("PosterFileTable", "Le fichier des affiches de l'écran est endommagé.");
    }
    if (!m_loaded)
        m_store.BALISE = {QList<QString>(), QList<QString>()};
    return m_loaded;
}

QString PosterFileTable::value(const QString &key) const
{
    // getInfoBalise only looks the key up.
    return const_cast<ClassParam &>(m_store).getInfoBalise(key);
}

int PosterFileTable::posterCount() const
{
    return PosterEntries::count(value(QStringLiteral("SLIDETYPE")));
}

bool PosterFileTable::write(const Values &values)
{
    if (!m_loaded) {
        if (m_error.isEmpty())
            m_error = QCoreApplication::translate("PosterFileTable", "Aucun écran n'est chargé.");
        return false;
    }
    m_error.clear();
    ParamFileBatch batch(m_store);
    if (!batch.write(path(), values)) {
        m_error = QCoreApplication::translate("PosterFileTable", "Impossible de sauvegarder le fichier %1: %2.")
                      .arg(path(), batch.errorString());
        return false;
    }
    // Read back: the table then holds what the file holds (Latin-1 as stored).
    load();
    return true;
}
