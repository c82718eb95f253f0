#include "PageCodes.h"

int PageCodes::stackIndex(int code)
{
    switch (code) {
    case Panel: return PanelPage;
    case Informations: return InfoPage;
    case Statistiques: return StatistiquesPage;
    case Media: return MediaPage;
    case TextEdit: return TextEditPage;
    case Player: return PlayerPage;
    case Administration: return AdminPage;
    case Calendar: return CalendarPage;
    case Reseaux: return ReseauxPage;
    case Alerte: return AlertePage;
    case Widget: return WidgetPage;
    case Orientation: return EcranPage;
    case Tactile: return TactilePage;
    case Power: return PowerPage;
    default: return -1;
    }
}
