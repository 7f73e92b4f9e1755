/* The library's string table as the data layer uses it (agent, tooltips, server addresses,
   page file names) and the number of the default bookmarks file. Defined once: the code
   loads the strings by number, and tandem.rc takes its entries from here. Plain defines
   only, so the resource compiler can read this file; hosts are operator settings. */
#ifndef MARVELLA_TOOLBAR_TOOLBARTEXTS_H
#define MARVELLA_TOOLBAR_TOOLBARTEXTS_H

#include "common/OperatorSettings.h"

#define IDS_AGENT 1 /* every download announces it */
#define IDS_AGENT_TEXT "Tandem Marvella"

/* Mail indicator tooltips (514 is formatted with the count). */
#define IDS_MAIL_NOT_CONNECTED 513
#define IDS_MAIL_NOT_CONNECTED_TEXT "No se ha conectado con el servidor"
#define IDS_MAIL_MANY 514
#define IDS_MAIL_MANY_TEXT "Tienes %d mensajes nuevos en tu buzón"
#define IDS_MAIL_NONE 515
#define IDS_MAIL_NONE_TEXT "No tienes mensajes nuevos en tu buzón"
#define IDS_MAIL_ONE 521
#define IDS_MAIL_ONE_TEXT "Tienes un mensaje nuevo en tu buzón"

/* Banner tooltip until a banner is shown: the portal's web address as a label. */
#define IDS_BANNER_TOOLTIP 518
#define IDS_BANNER_TOOLTIP_TEXT MARVELLA_PORTAL_HOST

/* Server addresses. One page serves the tokens, the mail count and the personal page. */
#define MARVELLA_CONFIG_PAGE_URL "http://" MARVELLA_PORTAL_HOST "/cgi-bin/mailtand"
#define IDS_URL_TOKENS 2049
#define IDS_URL_TOKENS_TEXT MARVELLA_CONFIG_PAGE_URL
#define IDS_URL_MAIL 2050
#define IDS_URL_MAIL_TEXT MARVELLA_CONFIG_PAGE_URL
#define IDS_URL_BOOKMARKS 2051
#define IDS_URL_BOOKMARKS_TEXT "http://" MARVELLA_PORTAL_HOST "/tandem/tnbbookm.ini"
#define IDS_URL_CONFIG 2052
#define IDS_URL_CONFIG_TEXT MARVELLA_CONFIG_PAGE_URL
#define IDS_URL_PERSONAL_PAGE 2053
#define IDS_URL_PERSONAL_PAGE_TEXT MARVELLA_CONFIG_PAGE_URL

/* Page files in the temporary directory. */
#define IDS_FILE_TOKENS 2305
#define IDS_FILE_TOKENS_TEXT "tandtok.htm"
#define IDS_FILE_CONFIG 2306
#define IDS_FILE_CONFIG_TEXT "tandcfg.htm"
#define IDS_FILE_BOOKMARKS 2307
#define IDS_FILE_BOOKMARKS_TEXT "tandbkmk.ini"
#define IDS_FILE_MAIL 2308
#define IDS_FILE_MAIL_TEXT "tandmail.htm"
#define IDS_FILE_PERSONAL_PAGE 2309
#define IDS_FILE_PERSONAL_PAGE_TEXT "tandpage.htm"

/* The banner's link until a banner is shown, and the home button's target. */
#define IDS_URL_PORTAL_HOME 4101
#define IDS_URL_PORTAL_HOME_TEXT "http://" MARVELLA_PORTAL_HOST "/"
#define IDS_URL_HOME_BUTTON 4108
#define IDS_URL_HOME_BUTTON_TEXT "http://" MARVELLA_PORTAL_HOST "/"

/* Resource type "FILE": the default bookmarks file. */
#define IDR_DEFAULT_BOOKMARKS 149

#endif
