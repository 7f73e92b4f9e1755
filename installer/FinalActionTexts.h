/* Texts of the results page's final actions, defined once: the C++ code shows them and the
   installer's string table (an .rc file) takes its entries from here. Plain defines only;
   a quote inside a text is written \042. */
#ifndef MARVELLA_INSTALLER_FINALACTIONTEXTS_H
#define MARVELLA_INSTALLER_FINALACTIONTEXTS_H

/* The notice once the account is shown, with its caption and the information icon. */
#define IDS_ACCOUNT_CREATED 22
#define IDS_ACCOUNT_CREATED_TEXT                                                          \
  "La conexión ha sido creada.Su acceso a Internet\nesta configurado. Pulse \042Aceptar\042 " \
  "y en breve\nle aparecerá una página de bienvenida."
#define TEXT_ACCOUNT_CREATED_CAPTION "Acceso creado"

/* "&Crear cuenta": the server was not reached, or it refused the user (message box with
   the server's reason, captioned as below, owned by the wizard). */
#define TEXT_SERVER_UNREACHABLE "No se pudo establecer conexion con el servidor"
#define TEXT_REGISTRATION_REFUSED_CAPTION "Instalador"

/* One progress line for each final action that could not be done; the others still run. */
#define TEXT_FINAL_ENTRY_FAILED "No se ha podido crear la conexión de acceso telefónico."
#define TEXT_FINAL_MONITOR_FAILED "No se ha podido guardar el programa marvella.exe."
#define TEXT_FINAL_SHORTCUT_FAILED "No se ha podido crear el icono del escritorio."
#define TEXT_FINAL_OPEN_FAILED "No se ha podido abrir la página de bienvenida."
#define TEXT_FINAL_START_PAGE_FAILED "No se ha podido poner la página de inicio del navegador."

/* After the final actions, one box (owned by the wizard) with every line above that
   applied (%s: those lines, one a line). */
#define TEXT_FINAL_FAILURES_TEXT \
  "La instalación no se ha completado. Estos pasos no se han podido realizar:\n\n%s"

#endif
