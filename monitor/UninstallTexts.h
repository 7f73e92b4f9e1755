/* Texts of the uninstall (marvella.exe with its switch), defined once, beside the kit's
   other text headers. marvella.exe takes them as CP1252 literals rather than from a string
   table, which would hold them twice as wide (UTF-16) in a resource section of its own:
   some 2 KB of a program whose budget is 20 KB. Plain defines only; "%s" is where the
   program puts what the text is about. */
#ifndef MARVELLA_MONITOR_UNINSTALLTEXTS_H
#define MARVELLA_MONITOR_UNINSTALLTEXTS_H

#define TEXT_UNINSTALL_CAPTION "Desinstalar Marvella acceso gratuito"

/* The question, answered Sí or No. */
#define TEXT_UNINSTALL_QUESTION                                                               \
  "¿Desea quitar Marvella acceso gratuito de este equipo?\n\nSe borrarán su conexión de "   \
  "acceso telefónico, el icono del escritorio y la barra de Marvella del navegador, y se " \
  "volverá a poner la página de inicio que tenía antes."

/* The result: everything done, with a note when files go at the next start. */
#define TEXT_UNINSTALL_DONE "Marvella acceso gratuito se ha quitado de este equipo."
#define TEXT_UNINSTALL_RESTART \
  "\n\nAlgunos archivos estaban en uso y se borrarán la próxima vez que inicie Windows."
/* Or the failures, one line each below this one. */
#define TEXT_UNINSTALL_FAILED                                                              \
  "No se ha podido quitar todo. Puede volver a intentarlo desde Agregar o quitar "     \
  "programas.\n"

/* One line per failure, naming what it concerns. */
#define TEXT_UNDO_ENTRY_FAILED "\nNo se ha podido borrar la conexión de acceso telefónico \042%s\042."
#define TEXT_UNDO_SHORTCUT_FAILED "\nNo se ha podido borrar el icono del escritorio %s."
#define TEXT_UNDO_START_PAGE_FAILED \
  "\nNo se ha podido volver a poner la página de inicio del navegador (%s)."
#define TEXT_UNDO_TOOLBAR_FAILED "\nNo se ha podido dar de baja la barra de Marvella (%s)."
#define TEXT_UNDO_FILE_FAILED "\nNo se ha podido borrar el archivo %s."
#define TEXT_UNDO_RECORD_FAILED "\nNo se ha podido borrar el registro de la instalación.%s"
#define TEXT_UNDO_ENTRY_KEY_FAILED \
  "\nNo se ha podido quitar Marvella de Agregar o quitar programas.%s"

#endif
