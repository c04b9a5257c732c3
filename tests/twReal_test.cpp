// twReal where a script cannot reach: a control never initialised (its engine made on
// first use), and a host whose handlers read the control or rewrite keys.
#include "entrybox/controls/twReal.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "entrybox/headless/HeadlessPlatform.h"

namespace entrybox {
namespace {

// A host that reads Text on every Change and may put another key in place of KeyPress's.
class Host : public ControlEvents {
 public:
  void Change() override {
    if (box != nullptr) texts.push_back(box->Text());
  }
  void KeyPress(int16_t& KeyAscii) override {
    if (KeyAscii == from) KeyAscii = to;
  }

  twReal* box = nullptr;
  std::vector<std::u16string> texts;
  int16_t from = -1;
  int16_t to = 0;
};

struct Fixture {
  HeadlessContainer container;
  Host host;
  std::unique_ptr<HeadlessSite> site = container.NewSite(host);
  twReal box{*site};

  void Type(const std::u16string& keys) {
    for (char16_t c : keys)
      site->Field().KeyPress(static_cast<int16_t>(c));
  }
};

TEST(twReal, NeverInitialisedAnswersWithTheEngineInitialValues) {
  Fixture f;
  EXPECT_EQ(f.box.DecimalPlaces(), 0);
  EXPECT_FALSE(f.box.Formatted());
  EXPECT_EQ(f.box.Min(), 0);
  EXPECT_EQ(f.box.Max(), 0);
  EXPECT_EQ(f.box.Spin(), 0);
  EXPECT_EQ(f.box.Text(), u"");
  // Keys reach the same engine: no decimals, plain form.
  f.box.SetMax(10);
  f.Type(u"5");
  EXPECT_EQ(f.site->Field().Text(), u"5.");
}

TEST(twReal, FirstKeyOnAnUntouchedControlMakesTheEngine) {
  Fixture f;
  f.Type(u"-");  // -0 is not below the initial Min of 0
  EXPECT_EQ(f.site->Field().Text(), u"-");
  EXPECT_EQ(f.box.Text(), u"");
}

TEST(twReal, HostReadingTextInChangeNeverFails) {
  Fixture f;
  f.box.InitProperties();
  f.box.SetMin(-100);
  f.site->Field().SetText(u"");
  f.host.box = &f.box;
  f.Type(u"-5");
  // "-" alone reads as ""; the digit writes "-5", then the grouped form "-5.00".
  EXPECT_EQ(f.host.texts, (std::vector<std::u16string>{u"", u"-5.00", u"-5.00"}));

  // While DecimalPlaces rewrites the field, Text already reads with the new decimals.
  f.host.texts.clear();
  f.box.SetDecimalPlaces(3);
  EXPECT_EQ(f.host.texts, (std::vector<std::u16string>{u"-5.000"}));
}

TEST(twReal, HostMayPutAnotherKeyBeforeTheEngine) {
  Fixture f;
  f.box.InitProperties();
  f.site->Field().SetText(u"");
  f.host.from = u',';
  f.host.to = u'.';  // a host that lets "," stand for the point
  f.Type(u"12,5");
  EXPECT_EQ(f.site->Field().Text(), u"12.50");
  EXPECT_EQ(f.site->Field().SelStart(), 4);
}

TEST(twReal, OffersItsValuePropertiesByName) {
  Fixture f;
  f.box.InitProperties();
  const std::vector<std::pair<const char*, Variant>> rows = {
      {"spin", 4.0}, {"DECIMALPLACES", 3.0}, {"Formatted", false},
      {"min", -7.0}, {"Max", 70.0},          {"Text", std::u16string(u"1.500")},
  };
  for (const auto& [name, value] : rows) {
    f.box.SetProperty(name, value);
    EXPECT_EQ(f.box.GetProperty(name), value) << name;
  }
}

}  // namespace
}  // namespace entrybox
