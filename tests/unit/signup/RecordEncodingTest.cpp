// USERINFO lines and reply item lists.
#include "signup/RecordEncoding.h"

#include <gtest/gtest.h>

namespace marvella {
namespace {

UserRecord AnaRecord(const char* alta) {
  UserRecord r;
  r.alta = alta;
  r.userid = "ana.p";
  r.direccion = "Mayor 1;B";
  return r;  // birth keeps its initial 19700101
}

UserRecord FullRecord(const char* alta) {
  UserRecord r;
  r.alta = alta;
  r.userid = "u";
  r.password = "pw";
  r.name = "n";
  r.surname = "s";
  r.city = "c";
  r.zipcode = "z";
  r.birth = "b";
  r.alias = "al";
  r.email = "e";
  r.direccion = "d";
  r.provincia = "pr";
  r.telefono = "t";
  r.profesion = "pf";
  r.sexo = "V";
  r.dondeconect = "casa";
  r.clave = "01";
  r.enviarinfo = "s";
  r.infoexterna = "n";
  r.friendid = "f";
  r.bolsa = "bo";
  r.futbol = "fu";
  r.horoscopo = "3";
  r.tiempo = "ti";
  return r;
}

TEST(EncodeUserInfo, WritesOnlyFilledFields) {
  EXPECT_EQ("USERINFO alta=1;userid=ana.p;birth=19700101;direccion=Mayor 1 B;\r\n",
            EncodeUserInfo(AnaRecord("1")));
}

TEST(EncodeUserInfo, KeyOrdersOfNewAndCurrentUsers) {
  EXPECT_EQ(
      "USERINFO alta=1;userid=u;password=pw;name=n;surname=s;city=c;zipcode=z;birth=b;"
      "alias=al;direccion=d;provincia=pr;telefono=t;email=e;profesion=pf;sexo=V;"
      "dondeconect=casa;clave=01;enviarinfo=s;infoexterna=n;friendid=f;bolsa=bo;"
      "futbol=fu;horoscopo=3;tiempo=ti;\r\n",
      EncodeUserInfo(FullRecord("1")));
  // Any other alta: the telephone twice, no optional-page fields.
  EXPECT_EQ(
      "USERINFO alta=0;userid=u;name=n;surname=s;city=c;zipcode=z;phone=t;birth=b;"
      "password=pw;alias=al;email=e;direccion=d;provincia=pr;telefono=t;profesion=pf;"
      "sexo=V;dondeconect=casa;clave=01;enviarinfo=s;infoexterna=n;friendid=f;\r\n",
      EncodeUserInfo(FullRecord("0")));
  UserRecord r = AnaRecord("0");
  EXPECT_EQ("USERINFO alta=0;userid=ana.p;birth=19700101;direccion=Mayor 1 B;\r\n",
            EncodeUserInfo(r));
  r.alta = "1 ";  // only exactly "1" is a new user
  r.telefono = "981";
  EXPECT_NE(std::string::npos, EncodeUserInfo(r).find("phone=981;"));
}

// A value may not end its field or the command line early; every other byte goes as it is.
TEST(EncodeUserInfo, ValuesCannotSplitTheLine) {
  const struct {
    const char* value;
    const char* sent;
  } cases[] = {
      {"Mayor 1;B", "Mayor 1 B"},
      {";", " "},
      {"Ana\r\n", "Ana  "},  // a GETUSER reply without its final ";" leaves this behind
      {"a\rb\nc", "a b c"},
      {"\n", " "},
      {"Íñigo=x\x80\xff", "\xCD\xF1igo=x\x80\xFF"},
  };
  for (const auto& c : cases) {
    UserRecord r;
    r.alta = "1";
    r.name = c.value;
    EXPECT_EQ(std::string("USERINFO alta=1;name=") + c.sent + ";birth=19700101;\r\n",
              EncodeUserInfo(r))
        << c.value;
    EXPECT_EQ(c.value, r.name) << "the record itself is not changed";
  }
  UserRecord r;
  r.birth.clear();
  EXPECT_EQ("USERINFO \r\n", EncodeUserInfo(r));
}

TEST(SplitItems, FormsOfItemLists) {
  EXPECT_EQ((ItemList{"a=1", "b=2", ""}), SplitItems("a=1;b=2;"));
  EXPECT_EQ((ItemList{"a=1", "b=2"}), SplitItems("a=1;b=2"));
  EXPECT_EQ(ItemList{}, SplitItems("a=1"));
  EXPECT_EQ(ItemList{}, SplitItems(""));
  EXPECT_EQ((ItemList{"", ""}), SplitItems(";"));
  EXPECT_EQ((ItemList{"", "", "x"}), SplitItems(";;x"));
  EXPECT_EQ((ItemList{"juan1", "juan2", "juan3", ""}), SplitItems("juan1;juan2;juan3;"));
}

TEST(StripLineBreaks, RemovesEveryCrAndLf) {
  EXPECT_EQ("a=1;b=2;", StripLineBreaks("\ra=1;\r\nb=2;\n\r\n"));
  EXPECT_EQ("", StripLineBreaks("\r\n\n"));
  EXPECT_EQ(std::string("x\0y", 3), StripLineBreaks(std::string_view("x\0\ny", 4)));
}

TEST(ApplyAccountItems, KeysBeforeTheFirstEqualsSignCaseSensitive) {
  AccountRecord a;
  a.profileName = "Marvella";
  a.dialupnum = "900";
  ApplyAccountItems(SplitItems("userid=ana;pass=x=y;dns1=10.0.0.1;dns2=10.0.0.2;smtp=correo;"
                               "idwebmail=ana;pagpers=a=b;USERID=no;=skip;noequals;"
                               "profileName=no;dialPrefix=no;userid=ana2"),
                    a);
  EXPECT_EQ("ana2", a.userid) << "a later item overwrites";
  EXPECT_EQ("x=y", a.pass);
  EXPECT_EQ("10.0.0.1", a.dns1);
  EXPECT_EQ("10.0.0.2", a.dns2);
  EXPECT_EQ("correo", a.smtp);
  EXPECT_EQ("ana", a.idwebmail);
  EXPECT_EQ("a=b", a.pagpers);
  EXPECT_EQ("900", a.dialupnum) << "fields without an item keep their value";
  EXPECT_EQ("Marvella", a.profileName);
  EXPECT_EQ("", a.dialPrefix);
  ApplyAccountItems(SplitItems("dialupnum=908;x"), a);
  EXPECT_EQ("908", a.dialupnum);
}

TEST(ApplyUserItems, SetsOnlyTheFieldsAReplyMayCarry) {
  UserRecord r;
  r.password = "secret";
  r.alta = "0";
  r.friendid = "pepe";
  ApplyUserItems(
      "name=Ana;city=Lugo;password=x;alta=1;phone=1;friendid=y;telefono=981;"
      "Name=NO;birth=19800202;clave=01,02;surname=P\xE9rez\r\n",
      r);
  EXPECT_EQ("Ana", r.name);
  EXPECT_EQ("Lugo", r.city);
  EXPECT_EQ("secret", r.password);
  EXPECT_EQ("0", r.alta);
  EXPECT_EQ("pepe", r.friendid);
  EXPECT_EQ("981", r.telefono);
  EXPECT_EQ("19800202", r.birth);
  EXPECT_EQ("01,02", r.clave);
  EXPECT_EQ("P\xE9rez\r\n", r.surname) << "line breaks stay in user items";
  UserRecord untouched;
  ApplyUserItems("name=Ana", untouched);  // no ";": no items
  EXPECT_EQ("", untouched.name);
}

}  // namespace
}  // namespace marvella
