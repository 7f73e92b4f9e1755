/* The texts and bitmaps of the toolbar window, its controls and its band: string-table
   numbers with their texts (tandem.rc takes them from here) and the bitmap numbers. Plain
   defines only, so the resource compiler can read this file. */
#ifndef MARVELLA_TOOLBAR_BARTEXTS_H
#define MARVELLA_TOOLBAR_BARTEXTS_H

/* The band's context-menu command. */
#define IDS_BAND_HELP 11
#define IDS_BAND_HELP_TEXT "Muestra el Tandem de Marvella"
#define IDS_BAND_SHOW 12
#define IDS_BAND_SHOW_TEXT "Mostrar Tandem"

/* Button texts and tooltips. */
#define IDS_SEARCH_BUTTON 257
#define IDS_SEARCH_BUTTON_TEXT "Buscar"
#define IDS_MI_MARVELLA 258
#define IDS_MI_MARVELLA_TEXT "Mi Marvella"
#define IDS_TOOLS_TIP 516
#define IDS_TOOLS_TIP_TEXT "Herramientas"
#define IDS_MI_MARVELLA_TIP 519
#define IDS_MI_MARVELLA_TIP_TEXT "Personaliza Marvella"
#define IDS_SHOW_TIP 520
#define IDS_SHOW_TIP_TEXT "Mostrar Tandem Marvella"
#define IDS_HOME_TIP 524
#define IDS_HOME_TIP_TEXT "Marvella"

/* The offer of a newer toolbar; its caption is not in the table. */
#define IDS_NEW_VERSION 523
#define IDS_NEW_VERSION_TEXT "Existe una nueva versión de la barra de Marvella que ofrece más prestaciones.\n¿Desea ir a la página web para descargarla?"
#define NEW_VERSION_CAPTION "Nueva versión de Tandem"

/* Bitmaps: images 18 high; masks are 1-bit, white where transparent. */
#define IDB_MENUS_MASK 108
#define IDB_MENUS_HOT 109
#define IDB_MENUS 127
#define IDB_BANNER 130
#define IDB_BANNER_MASK 131
#define IDB_TOOLS 133
#define IDB_TOOLS_MASK 134
#define IDB_TOOLS_HOT 135
#define IDB_MAIL_MASK 137
#define IDB_MAIL 138
#define IDB_HOME 143

#endif
