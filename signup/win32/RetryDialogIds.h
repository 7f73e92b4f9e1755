/* Resource and control numbers of the retry dialogs (read by the resource compiler too). */
#ifndef MARVELLA_SIGNUP_WIN32_RETRYDIALOGIDS_H
#define MARVELLA_SIGNUP_WIN32_RETRYDIALOGIDS_H

#define IDD_NEW_IDENTIFIER 134
#define IDD_NEW_ALIAS 145

#define IDC_TYPED_CHOICE 1011     /* radio "Nuevo Identificativo:" */
#define IDC_SUGGESTED_CHOICE 1012 /* radio "Elegir uno de los identificativos libres..." */
#define IDC_SUGGESTIONS 1014      /* list box of suggestions */
#define IDC_TAKEN_TEXT 1015       /* static text naming the taken identifier */
#define IDC_NEW_VALUE 1016        /* edit box: new identifier, or new alias */

#endif
