/* Texts of the personal-data and interests pages, defined once: the page rules format them
   and the installer's string table takes its entries from here. Plain defines only, so the
   resource compiler can read this file. */
#ifndef MARVELLA_INSTALLER_USERINFOTEXTS_H
#define MARVELLA_INSTALLER_USERINFOTEXTS_H

#define IDS_EMAIL_NEEDS_AT 9
#define IDS_EMAIL_NEEDS_AT_TEXT "El campo email debe contener al menos un carácter ´@´."
#define IDS_BAD_BIRTH_YEAR 21
#define IDS_BAD_BIRTH_YEAR_TEXT "El año de su fecha de nacimiento es invalido"
#define IDS_NEED_PHONE 25
#define IDS_NEED_PHONE_TEXT "Debes introducir tu número de télefono."
#define IDS_NEED_NAME 26
#define IDS_NEED_NAME_TEXT "Debes introducir tu nombre"
#define IDS_NEED_SURNAME 27
#define IDS_NEED_SURNAME_TEXT "Debes introducir tus dos apellidos"
#define IDS_NEED_USERID 28
#define IDS_NEED_USERID_TEXT "Debes especificar un nombre de usuario"
#define IDS_NEED_PASSWORD 29
#define IDS_NEED_PASSWORD_TEXT "Debes especificar una contraseña"
#define IDS_NEED_EMAIL 30
#define IDS_NEED_EMAIL_TEXT "Debes especificar una dirección de correo electrónico"
#define IDS_NEED_CITY 31
#define IDS_NEED_CITY_TEXT "Debes especificar tu población"
#define IDS_NEED_ZIPCODE 32
#define IDS_NEED_ZIPCODE_TEXT "Debes especificar tu código postal"
#define IDS_NEED_ADDRESS 33
#define IDS_NEED_ADDRESS_TEXT "Debes especificar tu dirección"
#define IDS_NEED_PROVINCE 34
#define IDS_NEED_PROVINCE_TEXT "Debes especificar una provincia"
#define IDS_NEED_SEX 35
#define IDS_NEED_SEX_TEXT "Debes especificar tu sexo"
#define IDS_NEED_PROFESSION 36
#define IDS_NEED_PROFESSION_TEXT "Debes especificar tu profesión"
#define IDS_NEED_ALIAS 37
#define IDS_NEED_ALIAS_TEXT "Debes especificar un alias"
#define IDS_NEED_NEWS_CHOICE 38
#define IDS_NEED_NEWS_CHOICE_TEXT \
  "Debes especificar si deseas recibir información sobre nuevos productos"
#define IDS_NEED_OTHERS_CHOICE 39
#define IDS_NEED_OTHERS_CHOICE_TEXT \
  "Debes especificar si deseas recibir información de otras compañias"
#define IDS_SHORT_PHONE 40
#define IDS_SHORT_PHONE_TEXT "El teléfono debe ser como mínimo de 9 números."
#define IDS_EMAIL_NOT_USERID 41
#define IDS_EMAIL_NOT_USERID_TEXT \
  "Tu identificador de usuario y tu dirección de e-mail no coinciden."

/* Messages that are not in the string table. */
#define USERINFO_PASSWORD_MISMATCH_TEXT \
  "La contraseña no coincide con la contraseña de comprobación"
#define USERINFO_USERID_IS_PASSWORD_TEXT \
  "El identificador de usuario y la contraseña no pueden ser iguales"

#endif
