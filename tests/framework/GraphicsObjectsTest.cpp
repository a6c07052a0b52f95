#include <gtest/gtest.h>

#include <vector>

#include "framework/core/Brush.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Font.h"
#include "framework/core/Pen.h"
#include "framework/core/Properties.h"
#include "framework/core/SystemColors.h"

namespace {

TEST(GraphicsObjects, SettersNotifyOnlyRealChanges) {
  fw::TPen pen;
  std::vector<fw::TObject*> senders;
  pen.OnChange = [&](fw::TObject* sender) { senders.push_back(sender); };
  const auto revision = pen.Revision();
  pen.SetColor(fw::clBlack);  // unchanged
  pen.SetWidth(1);
  EXPECT_TRUE(senders.empty());
  EXPECT_EQ(pen.Revision(), revision);
  pen.SetColor(fw::clRed);
  pen.SetStyle(fw::psDot);
  ASSERT_EQ(senders.size(), 2u);
  EXPECT_EQ(senders[0], &pen);
  EXPECT_NE(pen.Revision(), revision);
}

TEST(GraphicsObjects, AssignCopiesEverythingWithOneNotificationAndRefusesStrangers) {
  fw::TPen a, b;
  b.SetColor(fw::clBlue);
  b.SetMode(fw::pmNotXor);
  b.SetStyle(fw::psDash);
  b.SetWidth(3);
  int changes = 0;
  a.OnChange = [&](fw::TObject*) { ++changes; };
  a.Assign(&b);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(a.Color(), fw::clBlue);
  EXPECT_EQ(a.Mode(), fw::pmNotXor);
  EXPECT_EQ(a.Style(), fw::psDash);
  EXPECT_EQ(a.Width(), 3);
  a.Assign(&b);
  EXPECT_EQ(changes, 1);

  fw::TBrush brush;
  try {
    a.Assign(&brush);
    FAIL() << "a brush was assigned to a pen";
  } catch (const fw::EConvertError& e) {
    EXPECT_STREQ(e.what(), "Cannot assign a TBrush to a TPen");
  }
  EXPECT_EQ(a.Color(), fw::clBlue);
}

TEST(GraphicsObjects, FontSizeAndHeightConvertThroughPixelsPerInch) {
  fw::TFont font;
  EXPECT_EQ(font.Name(), "MS Sans Serif");
  EXPECT_EQ(font.Height(), -11);
  EXPECT_EQ(font.Size(), 8);
  font.SetSize(10);
  EXPECT_EQ(font.Height(), -13);
  font.SetHeight(-16);
  EXPECT_EQ(font.Size(), 12);

  // Assigning between different resolutions keeps the point size.
  fw::TFont printer;
  printer.SetPixelsPerInch(600);
  printer.SetSize(8);
  EXPECT_EQ(printer.Height(), -67);
  font.Assign(&printer);
  EXPECT_EQ(font.Size(), 8);
  EXPECT_EQ(font.Height(), -11);
  EXPECT_EQ(font.PixelsPerInch(), 96);
}

TEST(GraphicsObjects, PublishedPropertiesWithDefaults) {
  fw::TPen pen;
  fw::TBrush brush;
  fw::TFont font;
  auto names = [](const fw::TClassInfo& cls) {
    std::vector<std::string> out;
    for (const auto* p : cls.Properties()) out.push_back(p->Name);
    return out;
  };
  EXPECT_EQ(names(fw::TPen::StaticClass()),
            (std::vector<std::string>{"Color", "Mode", "Style", "Width"}));
  EXPECT_EQ(names(fw::TBrush::StaticClass()), (std::vector<std::string>{"Color", "Style"}));
  EXPECT_EQ(
      names(fw::TFont::StaticClass()),
      (std::vector<std::string>{"Charset", "Color", "Height", "Name", "Pitch", "Size", "Style"}));
  for (const auto* p : fw::TPen::StaticClass().Properties())
    EXPECT_FALSE(p->IsStored(pen)) << p->Name;

  fw::SetPropText(pen, "Style", "psDot");
  fw::SetPropText(pen, "Color", "clRed");
  EXPECT_EQ(pen.Style(), fw::psDot);
  EXPECT_EQ(pen.Color(), fw::clRed);
  fw::SetPropText(brush, "Style", "bsDiagCross");
  EXPECT_EQ(brush.Style(), fw::bsDiagCross);
  fw::SetPropText(font, "Style", "[fsBold,fsUnderline]");
  EXPECT_EQ(font.Style(), (fw::TFontStyles{fw::fsBold, fw::fsUnderline}));
  EXPECT_EQ(fw::GetPropText(font, "Style"), "[fsBold,fsUnderline]");
  EXPECT_FALSE(fw::TFont::StaticClass().FindProperty("Size")->IsStored(font));
}

TEST(GraphicsObjects, SystemColoursResolveOnlyAtThePlatform) {
  EXPECT_EQ(fw::ColorToRGB(fw::clRed), fw::clRed);
  EXPECT_EQ(fw::ColorToRGB(fw::clBtnFace), fw::RGB(0xD4, 0xD0, 0xC8));
  EXPECT_EQ(fw::ColorToRGB(fw::clWindowText), fw::clBlack);
  EXPECT_EQ(fw::ColorToRGB(fw::clNone), 0xFFFFFF);
  EXPECT_EQ(fw::ColorToRGB(fw::clDefault), fw::clBlack);
  fw::SetSystemColor(15, fw::clYellow);
  EXPECT_EQ(fw::ColorToRGB(fw::clBtnFace), fw::clYellow);
  fw::SetSystemColor(15, fw::RGB(0xD4, 0xD0, 0xC8));
}

}  // namespace
