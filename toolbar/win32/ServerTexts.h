/* Texts and numbers of the COM server: the class id, the registration messages (strings 2
   and 3; string 1 is the agent text of ToolbarTexts.h) and the uninstall confirmation
   dialog. Plain defines only, so that tandem.rc can take its entries from here. */
#ifndef MARVELLA_TOOLBAR_WIN32_SERVERTEXTS_H
#define MARVELLA_TOOLBAR_WIN32_SERVERTEXTS_H

#include "common/OperatorSettings.h"

/* The toolbar object's class id in registry form, braces and upper-case digits. */
#define TANDEM_CLSID_TEXT "{00649EC0-E572-11D3-8F5F-00C0DFEF760F}"

#define IDS_INSTALLED 2
#define IDS_INSTALLED_TEXT \
  "El Tandem Marvella ha sido instalado en su sistema.\nAbra una nueva ventana del " \
  "explorador para comenzar a disfrutar de los servicios del Tandem."
#define IDS_UNINSTALLED 3
#define IDS_UNINSTALLED_TEXT "El Tandem Marvella ha sido desinstalado de su sistema."
/* When the registry refuses a change (a user without the right to change the machine's
   settings): nothing was torn down, and the user is told why. */
#define IDS_INSTALL_FAILED 4
#define IDS_INSTALL_FAILED_TEXT \
  "No se ha podido instalar el Tandem Marvella: el sistema no permite modificar el registro."
#define IDS_UNINSTALL_FAILED 5
#define IDS_UNINSTALL_FAILED_TEXT \
  "No se ha podido desinstalar el Tandem Marvella: el sistema no permite modificar el " \
  "registro."

/* Uninstall confirmation: "Desinstalar" answers 1, "Cancelar" (the default) 2. */
#define IDD_CONFIRM_UNINSTALL 145
#define IDC_UNINSTALL 1
#define IDC_KEEP 2
#define CONFIRM_UNINSTALL_TITLE "Desinstalar"
#define CONFIRM_UNINSTALL_LINE1 "El Tandem va a ser desinstalado de su sistema."
#define CONFIRM_UNINSTALL_LINE2 \
  "Si lo que desea es esconder temporalmente el Tandem, oprima el botón Cancelar y " \
  "escoja la opción Ocultar del menú de herramientas."
#define CONFIRM_UNINSTALL_LINE3 \
  "Una vez desinstalado, la única manera de volver a disfrutar de los servicios del " \
  "Tandem es descargarlo de nuevo de " MARVELLA_WEB_SITE
#define CONFIRM_UNINSTALL_LINE4 "¿Está seguro de que desea desinstalar el Tandem Marvella?"
#define CONFIRM_UNINSTALL_YES "Desinstalar"
#define CONFIRM_UNINSTALL_NO "Cancelar"

#endif
