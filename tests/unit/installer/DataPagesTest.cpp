// The interests and optional-data pages: what they read from the record, what Next keeps,
// and the zodiac and weather choices.
#include <gtest/gtest.h>

#include "installer/InterestsData.h"
#include "installer/LocalityTable.h"
#include "installer/OptionalData.h"
#include "tests/unit/common/RecordingMessageSink.h"

namespace marvella::test {
namespace {

TEST(InterestsData, RecordListsTickTheBoxesAndComeBackInBoxOrder) {
  UserRecord user;
  user.dondeconect = "otros,casa";
  user.clave = "18,03,99";
  user.enviarinfo = "s";
  InterestsForm form = InitInterests(user);
  EXPECT_TRUE(form.places[0] && form.places[3] && !form.places[1] && !form.places[2]);
  EXPECT_TRUE(form.topics[2] && form.topics[17]);
  EXPECT_EQ('s', form.news);
  EXPECT_EQ(0, form.others);

  RecordingMessageSink messages;
  EXPECT_FALSE(ValidateInterests(form, user, messages));
  ASSERT_EQ(1u, messages.shown.size());
  EXPECT_EQ(39u, messages.shown[0].stringId);
  EXPECT_EQ("casa,otros", user.dondeconect);
  EXPECT_EQ("03,18", user.clave);
  form.others = 'n';
  form.topics[2] = false;
  form.places[0] = form.places[3] = false;
  EXPECT_TRUE(ValidateInterests(form, user, messages));
  EXPECT_EQ("n", user.infoexterna);
  EXPECT_EQ("18", user.clave);
  EXPECT_EQ("", user.dondeconect);
}

TEST(OptionalData, ZodiacBorders) {
  const struct {
    int day, month;
    const char* sign;
  } cases[] = {{29, 2, "Piscis"},     {20, 3, "Piscis"},       {21, 3, "Aries"},
               {21, 12, "Sagitario"}, {22, 12, "Capricornio"}, {31, 12, "Capricornio"},
               {1, 1, "Capricornio"}, {20, 1, "Capricornio"},  {21, 1, "Acuario"},
               {19, 2, "Acuario"},    {0, 0, "Aries"}};
  for (const auto& c : cases)
    EXPECT_STREQ(c.sign, kZodiacList[ZodiacPosition(c.day, c.month)]) << c.day << "/" << c.month;
}

TEST(OptionalData, ActivationChoosesSignAndLocalityAndNextKeepsTheChoices) {
  std::vector<WeatherEntry> weather = WeatherListEntries();
  UserRecord user;
  user.birthDay = 21;
  user.birthMonth = 3;
  user.zipcode = "28001";  // a Madrid code that is no row's own
  user.futbol = "Betis";
  OptionalDataForm form;
  ActivateOptionalData(form, user);
  EXPECT_EQ(1, form.zodiac);
  EXPECT_EQ("1", user.horoscopo);
  EXPECT_EQ("Madrid", weather[form.weather - 1].name);
  user.zipcode = "28925";
  EXPECT_EQ("Alcorcón", weather[WeatherPosition(user.zipcode) - 1].name);
  EXPECT_EQ(kDefaultWeatherPosition, WeatherPosition("99999"));
  EXPECT_EQ("Barcelona", weather[kDefaultWeatherPosition - 1].name);

  form.stock = 1;
  form.zodiac = 12;
  form.weatherText = "Madrid";
  EXPECT_TRUE(ValidateOptionalData(form, user));
  EXPECT_EQ("TEF", user.bolsa);
  EXPECT_EQ("Betis", user.futbol) << "no club chosen keeps the value";
  EXPECT_EQ("12", user.horoscopo);
  EXPECT_EQ("Madrid", user.tiempo);
  form.club = 4;
  form.zodiac = 0;
  EXPECT_FALSE(ValidateOptionalData(form, user)) << "the blank sign keeps the page";
  EXPECT_EQ("Barcelona", user.futbol);
  EXPECT_EQ("", user.tiempo);
}

}  // namespace
}  // namespace marvella::test
