// Resource identifiers of the wizard: page dialogs, their controls, icons, bitmap and texts.
// Included by Wizard.rc and by the code, so keep it to plain #defines.
#pragma once

// Icons and bitmap.
#define IDI_INSTALLER 128       // the wizard's window icon
#define IDI_SHORTCUT 153        // the desktop icon shown on the final page
#define IDB_WELCOME_BANNER 145  // banner of the welcome page

// Raw texts of type "OURDATA" (code page 1252, CR LF, shown as stored).
#define OURDATA_CONTRACT 141  // service contract and data-protection policy
#define OURDATA_PRIVACY 143   // privacy principles

// Page dialogs, in the wizard's order, and the privacy dialog.
#define IDD_WELCOME 200
#define IDD_LICENSE 201
#define IDD_HARDWARE 202
#define IDD_USERTYPE 203
#define IDD_USERINFO 204
#define IDD_USERINFO2 205
#define IDD_USERINFO3 206
#define IDD_RESULTS 207
#define IDD_FINAL 208
#define IDD_PRIVACY 209
// Notices of the hardware page, owned by the wizard.
#define IDD_NO_REMOTE_ACCESS 220
#define IDD_NO_ADAPTER 221
#define IDD_NO_TCPIP 222
#define IDD_CONNECTION_EXISTS 223

// Welcome page.
#define IDC_CONNECTED_NOW 1069
#define IDC_NOT_CONNECTED 1070

// Contract page.
#define IDC_CONTRACT_TEXT 1050
#define IDC_ACCEPT 9049
#define IDC_DO_NOT_ACCEPT 9050

// Hardware page.
#define IDC_HW_FRIEND_ID 1005
#define IDC_HW_DEVICE 1002
#define IDC_HW_PREFIX 1003
#define IDC_HW_PROVINCE 1066
#define IDC_HW_CITY 1067
#define IDC_HW_NODE_PHONE 1068
#define IDC_HW_GENERIC_NODE 1076
#define IDC_HW_CONNECTION_NAME 1073

// User-type page.
#define IDC_UT_NEW_USER 1078
#define IDC_UT_EXISTING_USER 1079
#define IDC_UT_IDENTIFIER 1052
#define IDC_UT_PASSWORD 1013
#define IDC_UT_FETCH 1083
#define IDC_UT_PROGRESS 1007

// Personal-data page.
#define IDC_UI_NAME 1010
#define IDC_UI_SURNAME 1011
#define IDC_UI_USERID 1012
#define IDC_UI_PASSWORD 1062
#define IDC_UI_CONFIRM 1063
#define IDC_UI_EMAIL 1064
#define IDC_UI_ADDRESS 1014
#define IDC_UI_PROVINCE 1066
#define IDC_UI_PROVINCE_LABEL 1099
#define IDC_UI_CITY 1005
#define IDC_UI_ZIPCODE 1013
#define IDC_UI_BIRTH_DAY 1071
#define IDC_UI_BIRTH_MONTH 1070
#define IDC_UI_BIRTH_YEAR 1072
#define IDC_UI_SEX 1077
#define IDC_UI_PHONE 1015
#define IDC_UI_PROFESSION 1055
#define IDC_UI_ALIAS 1009
#define IDC_UI_PRIVACY_LINK 1061

// Interests page.
#define IDC_U2_NEWS_YES 1089
#define IDC_U2_NEWS_NO 1090
#define IDC_U2_OTHERS_YES 1091
#define IDC_U2_OTHERS_NO 1092
#define IDC_U2_FROM_HOME 1093
#define IDC_U2_FROM_WORK 1094
#define IDC_U2_FROM_SCHOOL 1054
#define IDC_U2_FROM_OTHER 1096
#define IDC_U2_ART 1097
#define IDC_U2_SCIENCE 1098
#define IDC_U2_CINEMA 1099
#define IDC_U2_SPORTS 1100
#define IDC_U2_ECONOMY 1101
#define IDC_U2_EDUCATION 1102
#define IDC_U2_ENTERTAINMENT 1103
#define IDC_U2_EROTICISM 1106
#define IDC_U2_HUMOUR 1108
#define IDC_U2_INTERNET 1104
#define IDC_U2_COMPUTING 1105
#define IDC_U2_GAMES 1107
#define IDC_U2_MEDIA 1113
#define IDC_U2_WOMEN 1114
#define IDC_U2_MUSIC 1109
#define IDC_U2_POLITICS 1110
#define IDC_U2_HEALTH 1111
#define IDC_U2_TRAVEL 1112

// Optional-data page.
#define IDC_U3_STOCK 1047
#define IDC_U3_FOOTBALL 1036
#define IDC_U3_ZODIAC 1037
#define IDC_U3_WEATHER 1038

// Results page.
#define IDC_RS_CREATE 1006
#define IDC_RS_PROGRESS 1007
#define IDC_RS_USERID 1012
#define IDC_RS_PASSWORD 1013
#define IDC_RS_DNS 1014
#define IDC_RS_EMAIL 1016
#define IDC_RS_ALIAS 1018

// Privacy dialog.
#define IDC_PRIVACY_TEXT 1000
