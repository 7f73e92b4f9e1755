/* Texts of the user-type page, defined once: the page rules format them and the installer's
   string table takes its entries from here. Plain defines only, so the resource compiler
   can read this file. */
#ifndef MARVELLA_INSTALLER_USERTYPETEXTS_H
#define MARVELLA_INSTALLER_USERTYPETEXTS_H

#define IDS_FIELD_TOO_SHORT 8
#define IDS_FIELD_TOO_SHORT_TEXT "El campo %s debe contener al menos %d caracteres"
#define IDS_USER_DATA_FETCHED 14
#define IDS_USER_DATA_FETCHED_TEXT \
  "Información del usuario obtenida.\nPuede continuar con la instalación."

/* Not in the string table. */
#define USERTYPE_FETCH_FIRST_TEXT \
  "Debes hacer clic en el botón de obtención de datos para continuar"

#endif
