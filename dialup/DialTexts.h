/* Progress lines of dialling, with their numbers in the installer's string table. Plain
   #defines so that the installer's .rc can take the same texts (code page 1252). */
#pragma once

#define IDS_DIAL_CALLING 1
#define IDS_DIAL_CONNECTED 16
#define IDS_DIAL_OPENING 17

#define TEXT_DIAL_CALLING "Llamando al %s"
#define TEXT_DIAL_CONNECTED "Conectando"
#define TEXT_DIAL_OPENING "Abriendo conexión con host remoto..."
