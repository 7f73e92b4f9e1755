/* Texts of the hardware page, defined once: the page model formats them and the
   installer's string table takes its entries from here. Plain defines only, so the
   resource compiler can read this file. */
#ifndef MARVELLA_INSTALLER_HARDWARETEXTS_H
#define MARVELLA_INSTALLER_HARDWARETEXTS_H

#define IDS_FIELD_EMPTY 11
#define IDS_FIELD_EMPTY_TEXT "Debe selecionar un valor en el campo '%s'"
#define IDS_NO_SELECTION 19
#define IDS_NO_SELECTION_TEXT "Sin selección"
#define IDS_NO_ACCESS_NODE 20
#define IDS_NO_ACCESS_NODE_TEXT "Debe elegir un nodo de acceso"
#define IDS_BAD_CONNECTION_NAME 23
#define IDS_BAD_CONNECTION_NAME_TEXT "El nombre de conexión '%s' contiene carácteres no permitidos."

/* A connection name that is the sign-up entry's (%s: the name typed). */
#define HARDWARE_SIGNUP_ENTRY_NAME_TEXT                                                      \
  "El nombre de conexión '%s' es el de la conexión que el instalador utiliza para darte de " \
  "alta, que se borra y se vuelve a crear en cada llamada. Escribe otro nombre."

/* The last entry of every city list: the user's town has no node of its own. */
#define HARDWARE_OTHER_CITY_TEXT "Otra"

#endif
