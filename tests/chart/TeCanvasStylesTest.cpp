// The chart's style objects: defaults, change notifications, Assign and published properties.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "chart/TeCanvasBrush.h"
#include "chart/TeCanvasFont.h"
#include "chart/TeCanvasGradient.h"
#include "chart/TeCanvasPen.h"
#include "chart/TeCanvasView3D.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Properties.h"

namespace {

std::vector<std::string> StoredProperties(const fw::TObject& object) {
  std::vector<std::string> out;
  for (const auto* p : object.ClassInfo().Properties())
    if (p->IsStored(object)) out.push_back(p->Name);
  return out;
}

TEST(ChartStyles, PenVariantsHaveTheirDefaultsAndStoreNothingAtFirst) {
  struct Case {
    std::unique_ptr<tee::TChartPen> pen;
    const char* className;
    bool visible;
    fw::TColor color;
    fw::TPenStyle style;
    int width;
  };
  Case cases[] = {
      {std::make_unique<tee::TChartPen>(), "TChartPen", true, fw::clBlack, fw::psSolid, 1},
      {std::make_unique<tee::TChartHiddenPen>(), "TChartHiddenPen", false, fw::clBlack, fw::psSolid,
       1},
      {std::make_unique<tee::TDarkGrayPen>(), "TDarkGrayPen", true, 0x808080, fw::psSolid, 1},
      {std::make_unique<tee::TDottedGrayPen>(), "TDottedGrayPen", true, 0x808080, fw::psDot, 1},
      {std::make_unique<tee::TChartAxisPen>(), "TChartAxisPen", true, fw::clBlack, fw::psSolid, 2},
      {std::make_unique<tee::TChartArrowPen>(), "TChartArrowPen", true, 0xFFFFFF, fw::psSolid, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.className);
    EXPECT_EQ(c.pen->ClassName(), c.className);
    EXPECT_EQ(c.pen->Visible(), c.visible);
    EXPECT_EQ(c.pen->Color(), c.color);
    EXPECT_EQ(c.pen->Style(), c.style);
    EXPECT_EQ(c.pen->Width(), c.width);
    EXPECT_FALSE(c.pen->SmallDots());
    EXPECT_EQ(c.pen->Mode(), fw::pmCopy);
    EXPECT_TRUE(StoredProperties(*c.pen).empty());
  }
  std::vector<std::string> names;
  for (const auto* p : tee::TDottedGrayPen::StaticClass().Properties()) names.push_back(p->Name);
  EXPECT_EQ(names,
            (std::vector<std::string>{"Color", "Mode", "Style", "Width", "SmallDots", "Visible"}));

  tee::TChartAxisPen axis;
  fw::SetPropText(axis, "Width", "1");
  fw::SetPropText(axis, "Visible", "False");
  EXPECT_EQ(StoredProperties(axis), (std::vector<std::string>{"Width", "Visible"}));
}

TEST(ChartStyles, PenFlagsNotifyAndAssignCopiesThem) {
  std::vector<fw::TObject*> changes;
  tee::TChartPen pen([&](fw::TObject* sender) { changes.push_back(sender); });
  pen.SetVisible(true);  // unchanged
  EXPECT_TRUE(changes.empty());
  pen.SetSmallDots(true);
  pen.SetVisible(false);
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[0], &pen);

  tee::TChartPen other;
  changes.clear();
  pen.Assign(&other);  // only the flags differ
  EXPECT_EQ(changes.size(), 1u);
  EXPECT_TRUE(pen.Visible());
  EXPECT_FALSE(pen.SmallDots());

  other.SetColor(fw::clRed);
  other.SetWidth(3);
  other.SetVisible(false);
  pen.Assign(&other);
  EXPECT_EQ(pen.Color(), fw::clRed);
  EXPECT_EQ(pen.Width(), 3);
  EXPECT_FALSE(pen.Visible());
  EXPECT_EQ(changes.size(), 2u);

  // A plain framework pen gives its pen properties and leaves the flags.
  fw::TPen plain;
  pen.Assign(&plain);
  EXPECT_EQ(pen.Color(), fw::clBlack);
  EXPECT_FALSE(pen.Visible());
  fw::TBrush brush;
  EXPECT_THROW(pen.Assign(&brush), fw::EConvertError);
}

TEST(ChartStyles, ChartBrushDefaultsToTheOwnersColour) {
  int changes = 0;
  tee::TChartBrush brush([&](fw::TObject*) { ++changes; });
  EXPECT_EQ(brush.Color(), tee::clAutoColor);
  EXPECT_EQ(brush.Style(), fw::bsSolid);
  EXPECT_EQ(changes, 0);
  EXPECT_TRUE(StoredProperties(brush).empty());
  brush.SetColor(fw::clRed);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(StoredProperties(brush), (std::vector<std::string>{"Color"}));
}

TEST(ChartStyles, GradientRepaintsOnlyOnChangeAndAssignsAllFour) {
  int repaints = 0;
  tee::TChartGradient gradient([&] { ++repaints; });
  EXPECT_EQ(gradient.Direction(), tee::gdTopBottom);
  EXPECT_EQ(gradient.StartColor(), fw::clWhite);
  EXPECT_EQ(gradient.EndColor(), 0x00FFFF);
  EXPECT_FALSE(gradient.Visible());
  EXPECT_TRUE(StoredProperties(gradient).empty());
  gradient.SetVisible(false);
  gradient.SetEndColor(fw::clYellow);
  EXPECT_EQ(repaints, 0);
  fw::SetPropText(gradient, "Direction", "gdFromCenter");
  gradient.SetStartColor(fw::clBlue);
  EXPECT_EQ(repaints, 2);

  tee::TChartGradient copy;
  copy.Assign(&gradient);
  EXPECT_EQ(copy.Direction(), tee::gdFromCenter);
  EXPECT_EQ(copy.StartColor(), fw::clBlue);
  EXPECT_EQ(copy.EndColor(), fw::clYellow);
  EXPECT_FALSE(copy.Visible());
}

TEST(ChartStyles, FontObjectUsesTheChartDefaultFontAndStoresOnlyChanges) {
  int changes = 0;
  tee::TChartFontObject holder([&](fw::TObject*) { ++changes; });
  const fw::TFont& font = *holder.Font();
  EXPECT_EQ(font.Name(), "Arial");
  EXPECT_EQ(font.Size(), 8);
  EXPECT_EQ(font.Color(), fw::clBlack);
  EXPECT_TRUE(font.Style().Empty());
  EXPECT_EQ(changes, 0);
  EXPECT_TRUE(StoredProperties(holder).empty());

  holder.Font()->SetColor(fw::clBlue);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(StoredProperties(holder), (std::vector<std::string>{"Font"}));
  EXPECT_EQ(fw::GetPropText(holder, "Font.Color"), "clBlue");

  tee::TChartFontObject copy;
  copy.Assign(&holder);
  EXPECT_EQ(copy.Font()->Color(), fw::clBlue);
  fw::SetPropText(copy, "Font.Name", "Courier New");
  EXPECT_EQ(copy.Font()->Name(), "Courier New");
}

TEST(ChartStyles, View3DOptionsDefaultsEventsAndAssign) {
  int repaints = 0;
  tee::TView3DOptions options([&] { ++repaints; });
  EXPECT_EQ(options.Elevation(), 345);
  EXPECT_EQ(options.HorizOffset(), 0);
  EXPECT_TRUE(options.Orthogonal());
  EXPECT_EQ(options.Perspective(), 15);
  EXPECT_EQ(options.Rotation(), 345);
  EXPECT_EQ(options.Tilt(), 0);
  EXPECT_EQ(options.VertOffset(), 0);
  EXPECT_EQ(options.Zoom(), 100);
  EXPECT_TRUE(options.ZoomText());
  EXPECT_TRUE(StoredProperties(options).empty());

  std::vector<bool> scrolls;
  std::vector<int> zoomSeen;
  options.OnScroll = [&](bool horizontal) { scrolls.push_back(horizontal); };
  options.OnZoom = [&] { zoomSeen.push_back(options.Zoom()); };
  options.SetHorizOffset(0);
  options.SetZoom(100);
  EXPECT_EQ(repaints, 0);
  options.SetHorizOffset(5);
  options.SetVertOffset(-3);
  options.SetZoom(150);
  EXPECT_EQ(scrolls, (std::vector<bool>{true, false}));
  EXPECT_EQ(zoomSeen, (std::vector<int>{100}));  // called before the change
  EXPECT_EQ(repaints, 3);
  fw::SetPropText(options, "Rotation", "10");
  EXPECT_EQ(repaints, 4);
  EXPECT_EQ(StoredProperties(options),
            (std::vector<std::string>{"HorizOffset", "Rotation", "VertOffset", "Zoom"}));

  tee::TView3DOptions copy;
  options.SetElevation(300);
  options.SetOrthogonal(false);
  options.SetPerspective(40);
  options.SetTilt(7);
  options.SetZoomText(false);
  copy.Assign(&options);
  EXPECT_EQ(copy.Elevation(), 300);
  EXPECT_EQ(copy.HorizOffset(), 5);
  EXPECT_FALSE(copy.Orthogonal());
  EXPECT_EQ(copy.Perspective(), 40);
  EXPECT_EQ(copy.Rotation(), 10);
  EXPECT_EQ(copy.Tilt(), 7);
  EXPECT_EQ(copy.VertOffset(), -3);
  EXPECT_EQ(copy.Zoom(), 150);
  EXPECT_FALSE(copy.ZoomText());
}

}  // namespace
