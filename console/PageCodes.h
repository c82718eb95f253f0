#pragma once

// The top window's page stack indexes and the page codes the pages ask for.
// The two numberings are separate: code 6 opens index 1, code 14 index 7.
class PageCodes
{
public:
    enum StackIndex {
        PanelPage = 0,
        AdminPage = 1,
        InfoPage = 2,
        StatistiquesPage = 3,
        MediaPage = 4,
        TextEditPage = 5,
        CalendarPage = 6,
        PowerPage = 7,
        ReseauxPage = 8,
        WidgetPage = 9,
        AlertePage = 10,
        EcranPage = 11,
        TactilePage = 12,
        PlayerPage = 13,
        PageCount = 14
    };

    enum Code {
        Panel = 0,
        Informations = 1,
        Statistiques = 2,
        Media = 3,
        TextEdit = 4,
        Player = 5,
        Administration = 6,
        Calendar = 7,
        Reseaux = 8,
        Quit = 9,
        Alerte = 10,
        Widget = 11,
        Orientation = 12,
        Tactile = 13,
        Power = 14
    };

    // Stack index a code shows, or -1 for a code that is no page.
    static int stackIndex(int code);
};
