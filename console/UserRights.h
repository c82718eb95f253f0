#pragma once

#include <QString>
#include <QVector>

// What one permission row of the login file grants on the control panel:
// "<16 flags>;<longest display time>;<most posters>". A flag '1' grants the
// tool button at its position, anything else withholds it.
class UserRights
{
public:
    enum Button {
        Mediatheque,
        Statistiques,
        Informations,
        Orientation,
        Alimentation,
        Ajouter,
        Supprimer,
        Monter,
        Descendre,
        Renommer,
        Editer,
        DateHeure,
        Reseaux,
        Speciales,
        Visualiser,
        Deployer,
        ButtonCount
    };

    // Rights fail closed: a missing or short row withholds every flag it does
    // not carry, so a damaged login file hands out nothing.
    static UserRights fromRow(const QString &row, bool localMode, const QString &productType);

    bool isGranted(int button) const { return m_visible.value(button, false); }
    // "Tactile" is shown once any right is granted outside local mode;
    // otherwise it keeps its state.
    bool showsTactile() const { return m_showTactile; }

    bool hasMaxDisplayTime() const { return m_hasMaxDisplayTime; }
    int maxDisplayTime() const { return m_maxDisplayTime; }
    bool hasMaxPosters() const { return m_hasMaxPosters; }
    int maxPosters() const { return m_maxPosters; }

private:
    QVector<bool> m_visible = QVector<bool>(ButtonCount, false);
    bool m_showTactile = false;
    bool m_hasMaxDisplayTime = false;
    int m_maxDisplayTime = 0;
    bool m_hasMaxPosters = false;
    int m_maxPosters = 0;
};
