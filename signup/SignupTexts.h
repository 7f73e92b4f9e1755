/* Texts of the sign-up client, defined once: the C++ code formats them and the installer's
   string table (an .rc file) takes its entries from here. Plain defines only, so the
   resource compiler can read this file; a quote inside a text is written \042. */
#ifndef MARVELLA_SIGNUP_SIGNUPTEXTS_H
#define MARVELLA_SIGNUP_SIGNUPTEXTS_H

/* String table entries shown by the field checks. */
#define IDS_BAD_CHARACTERS 7
#define IDS_BAD_CHARACTERS_TEXT "%s: %s\ncontiene carácteres no permitidos"
#define IDS_FIELD_TOO_LONG 15
#define IDS_FIELD_TOO_LONG_TEXT "El campo %s puede contener un máximo de %d carácteres"
#define IDS_IDENTIFIER_RULE 24
#define IDS_IDENTIFIER_RULE_TEXT                                                              \
  "Caracteres permitidos para el Indentificador (máximo 15): letras \nminúsculas (excepto " \
  "la \042ñ\042); números (no en la primera posición);\nel guión bajo ( \042_\042); el "  \
  "punto (\042.\042),  pero no al principio, ni al final,\n ni dos puntos seguidos (\042..\042)."

/* A conversation that did not end in an account or the user's data (%s: the error text). */
#define IDS_USERINFO_FAILED 13
#define IDS_USERINFO_FAILED_TEXT \
  "Error en la negociación de la información de usuario.\nMotivo: %s"

/* Error text of a conversation whose connection could not be made (%s: server address). */
#define SIGNUP_CONNECT_FAILED_TEXT "Error intentando establecer conexión con host remoto: %s"

/* Error text of a sign-up whose account reply lacks the dial-up user name or password. */
#define SIGNUP_NO_ACCOUNT_TEXT \
  "El servidor no ha enviado el usuario y la contraseña de la cuenta de acceso."

/* Error text of a conversation whose reply came late, was cut off or did not end. */
#define SIGNUP_INCOMPLETE_REPLY_TEXT \
  "El servidor no ha respondido a tiempo o ha cortado la respuesta."

/* The static text of the new-identifier dialog (%s: the identifier that is taken). */
#define SIGNUP_IDENTIFIER_TAKEN_TEXT                                                        \
  "El servidor ha informado que el identificativo '%s' que habia seleccionado esta en uso " \
  "en el sistema y debe seleccionar un nuevo."

#endif
