// Numbers of the library's resources that the data layer uses: string-table entries
// (addresses, file names, tooltip texts) and the default bookmarks file. Shared by the code
// and the resource script, so it holds numbers only.
#pragma once

#define IDS_AGENT 1                /* "Tandem Marvella": agent of every download */
#define IDS_MAIL_NOT_CONNECTED 513 /* mail tooltip before the first count */
#define IDS_MAIL_MANY 514          /* mail tooltip, %d new messages */
#define IDS_MAIL_NONE 515          /* mail tooltip, no new message */
#define IDS_BANNER_TOOLTIP 518     /* banner tooltip until a banner is shown */
#define IDS_MAIL_ONE 521           /* mail tooltip, one new message */

#define IDS_URL_TOKENS 2049        /* tokens page */
#define IDS_URL_MAIL 2050          /* mail page */
#define IDS_URL_BOOKMARKS 2051     /* bookmarks file */
#define IDS_URL_CONFIG 2052        /* configuration page: banner anchor and hidden fields */
#define IDS_URL_PERSONAL_PAGE 2053 /* personal-page page */

#define IDS_FILE_TOKENS 2305        /* "tandtok.htm" */
#define IDS_FILE_CONFIG 2306        /* "tandcfg.htm" */
#define IDS_FILE_BOOKMARKS 2307     /* "tandbkmk.ini" */
#define IDS_FILE_MAIL 2308          /* "tandmail.htm" */
#define IDS_FILE_PERSONAL_PAGE 2309 /* "tandpage.htm" */

#define IDS_URL_PORTAL_HOME 4101 /* the banner's link until a banner is shown */
#define IDS_URL_HOME_BUTTON 4108 /* target of the home button */

#define IDR_DEFAULT_BOOKMARKS 149 /* resource type "FILE": the default bookmarks file */
