/* The toolbar's menus and the about box: menu and command numbers with their texts
   (tandem.rc builds menus 110 and 128 from here) and the about box's string. Plain
   defines only, so the resource compiler can read this file. */
#ifndef MARVELLA_TOOLBAR_COMMANDTEXTS_H
#define MARVELLA_TOOLBAR_COMMANDTEXTS_H

/* Menu 110: an empty first entry that is never shown, then "Mi Marvella". */
#define IDM_MI_MARVELLA 110
#define IDM_MI_MARVELLA_POPUP 1 /* its position in the menu */
#define ID_PERSONAL_PAGE 40030
#define ID_PERSONAL_PAGE_TEXT "Mi página personal"
#define ID_PERSONAL_FOLDER 40032
#define ID_PERSONAL_FOLDER_TEXT "Carpeta personal"
#define ID_TOKENS 40019
#define ID_TOKENS_TEXT "Tienes %d tokens"
#define ID_PERSONALIZATIONS_TEXT "Personalizaciones"
#define ID_BOLSA 40029
#define ID_BOLSA_TEXT "Bolsa"
#define ID_DEPORTES 40031
#define ID_DEPORTES_TEXT "Deportes"
#define ID_HOROSCOPO 40033
#define ID_HOROSCOPO_TEXT "Horóscopo"
#define ID_TIEMPO 40034
#define ID_TIEMPO_TEXT "Tiempo"
#define ID_ANGELES 40071
#define ID_ANGELES_TEXT "Angeles"

/* Menu 128: "Herramientas" first; the second popup is never shown. */
#define IDM_TOOLS 128
#define ID_TOOLS_TEXT "Herramientas"
#define ID_REFRESH 40060
#define ID_REFRESH_TEXT "Refrescar"
#define ID_HIDE 40062
#define ID_HIDE_TEXT "Ocultar"
#define ID_UNINSTALL 40070
#define ID_UNINSTALL_TEXT "Desinstalar"
#define ID_ABOUT 40072
#define ID_ABOUT_TEXT "Acerca de Tandem"
#define ID_HELP 40063
#define ID_HELP_TEXT "Ayuda"

/* The about box: version, build date and time texts, the shell's major and minor
   version; its caption is not in the table. */
#define IDS_ABOUT 522
#define IDS_ABOUT_TEXT "Tandem Marvella versión %s\nCompilado el %s a las %s\nVersión del explorador: %u.%u\n\n© Marvella. Todos los derechos reservados."
#define ABOUT_CAPTION "Acerca de Tandem"
#define ABOUT_VERSION "1.01"
#define ABOUT_BUILD_DATE "Jan  3 2001"
#define ABOUT_BUILD_TIME "12:15:26"

#endif
