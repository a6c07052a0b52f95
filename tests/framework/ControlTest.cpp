// Controls without a window system: parents and children, bounds and client areas, alignment,
// tab order, parent fonts, mouse input and clicks, panel painting and bevels.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/core/CustomPanel.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Frame3D.h"
#include "framework/core/SystemColors.h"
#include "framework/gui/Bitmap.h"
#include "framework/gui/RecordingCanvas.h"
#include "support/GuiTestApp.h"

namespace {

using namespace fw;

// A bare windowed container and a panel, owned by one root.
struct Tree {
  TComponent root{nullptr};
  TWinControl* box = new TWinControl(&root);
  TCustomPanel* panel = new TCustomPanel(&root);
};

class TRecordingControl : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  std::vector<std::string> calls;

 protected:
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
    calls.push_back("down " + std::to_string(b) + (s.Contains(ssDouble) ? " double" : "") + " " +
                    std::to_string(x) + "," + std::to_string(y));
    TCustomControl::MouseDown(b, s, x, y);
  }
  void MouseUp(TMouseButton b, TShiftState s, int x, int y) override {
    calls.push_back("up " + std::to_string(b));
    TCustomControl::MouseUp(b, s, x, y);
  }
  bool DoMouseWheelDown(TShiftState, TPoint) override {
    calls.push_back("wheel down");
    return true;
  }
  bool DoMouseWheelUp(TShiftState, TPoint) override {
    calls.push_back("wheel up");
    return true;
  }
  void MouseLeave() override { calls.push_back("leave"); }
};

TEST(Control, ParentListsChildrenAndLetsThemGoEitherWay) {
  Tree t;
  auto* child = new TWinControl(&t.root);
  child->SetParent(t.box);
  EXPECT_EQ(child->Parent(), t.box);
  ASSERT_EQ(t.box->ControlCount(), 1);
  EXPECT_EQ(t.box->Controls(0), child);
  EXPECT_TRUE(t.box->ContainsControl(child));

  child->SetParent(t.panel);
  EXPECT_EQ(t.box->ControlCount(), 0);
  EXPECT_EQ(t.panel->ControlCount(), 1);

  delete child;  // the parent forgets a destroyed child
  EXPECT_EQ(t.panel->ControlCount(), 0);

  auto* orphan = new TWinControl(&t.root);
  orphan->SetParent(t.panel);
  delete t.panel;  // a destroyed parent leaves its children without parent, still owned
  EXPECT_EQ(orphan->Parent(), nullptr);
  EXPECT_EQ(orphan->Owner(), &t.root);
}

TEST(Control, RefusesToBePlacedInsideItself) {
  Tree t;
  auto* inner = new TWinControl(&t.root);
  inner->SetParent(t.box);
  EXPECT_THROW(t.box->SetParent(t.box), EComponentError);
  EXPECT_THROW(t.box->SetParent(inner), EComponentError);
  EXPECT_EQ(t.box->Parent(), nullptr);
  EXPECT_THROW(t.box->Controls(1), EListError);
}

TEST(Control, ClientAreaExcludesTheWindowEdge) {
  Tree t;
  t.panel->SetBounds(10, 20, 100, 50);
  EXPECT_EQ(t.panel->ClientRect(), (TRect{0, 0, 100, 50}));
  t.panel->SetBorderStyle(bsSingle);  // Ctl3D: the two-pixel sunken edge
  EXPECT_EQ(t.panel->ClientRect(), (TRect{0, 0, 96, 46}));
  t.panel->SetCtl3D(false);
  EXPECT_EQ(t.panel->ClientRect(), (TRect{0, 0, 98, 48}));
  t.panel->SetClientSize(200, 100);
  EXPECT_EQ(t.panel->BoundsRect(), (TRect{10, 20, 212, 122}));
  EXPECT_THROW(t.panel->SetBorderStyle(bsSizeable), EPropertyError);
  EXPECT_THROW(t.panel->SetBevelWidth(0), EPropertyError);
}

TEST(Control, AlignedChildrenShareTheClientAreaInsideTheBevels) {
  Tree t;
  t.panel->SetBounds(209, 14, 484, 397);  // raised outer bevel of 1 pixel
  auto* top = new TWinControl(&t.root);
  top->SetHeight(30);
  top->SetAlign(alTop);
  top->SetParent(t.panel);
  auto* fill = new TWinControl(&t.root);
  fill->SetAlign(alClient);
  fill->SetParent(t.panel);
  auto* left = new TWinControl(&t.root);
  left->SetWidth(40);
  left->SetAlign(alLeft);
  left->SetParent(t.panel);
  EXPECT_EQ(top->BoundsRect(), (TRect{1, 1, 483, 31}));
  EXPECT_EQ(left->BoundsRect(), (TRect{1, 31, 41, 396}));
  EXPECT_EQ(fill->BoundsRect(), (TRect{41, 31, 483, 396}));

  top->SetVisible(false);  // hidden children give their room back
  EXPECT_EQ(fill->BoundsRect(), (TRect{41, 1, 483, 396}));
  t.panel->SetBorderWidth(2);
  EXPECT_EQ(fill->BoundsRect(), (TRect{43, 3, 481, 394}));
  t.panel->SetWidth(100);  // resizing the parent realigns
  EXPECT_EQ(fill->BoundsRect(), (TRect{43, 3, 97, 394}));
}

TEST(Control, NoAlignmentWhileLoading) {
  Tree t;
  t.panel->SetBounds(0, 0, 100, 100);
  t.panel->BeginLoading();
  auto* fill = new TWinControl(&t.root);
  fill->SetAlign(alClient);
  fill->SetParent(t.panel);
  EXPECT_EQ(fill->BoundsRect(), (TRect{0, 0, 0, 0}));
  t.panel->Loaded();
  EXPECT_EQ(fill->BoundsRect(), (TRect{1, 1, 99, 99}));
}

TEST(Control, TabOrderMovesAChildAmongItsSiblings) {
  Tree t;
  std::vector<TWinControl*> c;
  for (int i = 0; i < 3; ++i) {
    c.push_back(new TWinControl(&t.root));
    c.back()->SetParent(t.box);
  }
  EXPECT_EQ(c[2]->TabOrder(), 2);
  c[2]->SetTabOrder(0);
  EXPECT_EQ(t.box->TabList(), (std::vector<TWinControl*>{c[2], c[0], c[1]}));
  c[2]->SetTabOrder(99);  // clamped to the last place
  EXPECT_EQ(t.box->TabList(), (std::vector<TWinControl*>{c[0], c[1], c[2]}));

  auto* later = new TWinControl(&t.root);
  later->SetTabOrder(1);  // remembered until it has a parent
  EXPECT_EQ(later->TabOrder(), 1);
  later->SetParent(t.box);
  EXPECT_EQ(t.box->TabList(), (std::vector<TWinControl*>{c[0], later, c[1], c[2]}));
}

TEST(Control, FontFollowsTheParentUntilSetItself) {
  Tree t;
  t.box->Font()->SetHeight(-13);
  t.box->Font()->SetStyle(TFontStyles{fsBold});
  auto* follower = new TWinControl(&t.root);
  auto* own = new TWinControl(&t.root);
  follower->SetParent(t.box);
  own->SetParent(t.box);
  EXPECT_TRUE(follower->Font()->Style().Contains(fsBold));
  EXPECT_EQ(follower->Font()->Height(), -13);
  EXPECT_TRUE(follower->ParentFont());

  own->Font()->SetStyle(TFontStyles{});
  EXPECT_FALSE(own->ParentFont());
  t.box->Font()->SetName("Arial");
  EXPECT_EQ(follower->Font()->Name(), "Arial");
  EXPECT_EQ(own->Font()->Name(), "MS Sans Serif");
  EXPECT_FALSE(own->Font()->Style().Contains(fsBold));

  own->SetParentFont(true);
  EXPECT_EQ(own->Font()->Name(), "Arial");
  EXPECT_TRUE(own->Font()->Style().Contains(fsBold));
}

TEST(Control, ClickNeedsPressAndReleaseInsideTheClientArea) {
  TComponent root(nullptr);
  auto* c = new TRecordingControl(&root);
  c->SetBounds(0, 0, 50, 40);
  int clicks = 0, doubles = 0;
  c->OnClick = [&](TObject* sender) {
    EXPECT_EQ(sender, c);
    ++clicks;
  };
  c->OnDblClick = [&](TObject*) { ++doubles; };
  std::vector<std::string> events;
  c->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
    events.push_back("OnMouseDown " + std::to_string(x) + "," + std::to_string(y));
  };

  c->HandleMouseDown(mbLeft, TShiftState{ssLeft}, 10, 12);
  c->HandleMouseUp(mbLeft, TShiftState{}, 11, 13);
  EXPECT_EQ(clicks, 1);

  c->HandleMouseDown(mbLeft, TShiftState{ssLeft}, 10, 12);
  c->HandleMouseUp(mbLeft, TShiftState{}, 60, 13);  // released outside: no click
  EXPECT_EQ(clicks, 1);

  c->HandleMouseDown(mbRight, TShiftState{ssRight}, 10, 12);
  c->HandleMouseUp(mbRight, TShiftState{}, 10, 12);  // only the left button clicks
  EXPECT_EQ(clicks, 1);

  c->HandleMouseDown(mbLeft, TShiftState{ssLeft, ssDouble}, 5, 5);
  EXPECT_EQ(doubles, 1);
  EXPECT_EQ(c->calls.front(), "down 0 10,12");
  EXPECT_EQ(c->calls.back(), "down 0 double 5,5");
  EXPECT_EQ(events.size(),
            4u);  // the overridden MouseDown calls the inherited one, which fires the event
}

TEST(Control, WheelGoesToTheEventFirstThenUpOrDown) {
  TComponent root(nullptr);
  auto* c = new TRecordingControl(&root);
  EXPECT_TRUE(c->HandleMouseWheel(TShiftState{}, -120, TPoint{1, 1}));
  EXPECT_TRUE(c->HandleMouseWheel(TShiftState{}, 120, TPoint{1, 1}));
  c->OnMouseWheel = [](TObject*, TShiftState, int, TPoint, bool& handled) { handled = true; };
  EXPECT_TRUE(c->HandleMouseWheel(TShiftState{}, 120, TPoint{1, 1}));
  c->HandleMouseLeave();
  EXPECT_EQ(c->calls, (std::vector<std::string>{"wheel down", "wheel up", "leave"}));
}

TEST(Control, WithoutWindowSystemThereIsNoWindowButACanvasThatDrawsNothing) {
  TComponent root(nullptr);
  auto* c = new TRecordingControl(&root);
  c->HandleNeeded();
  EXPECT_FALSE(c->HandleAllocated());
  c->Canvas().Rectangle(0, 0, 10, 10);  // harmless
  c->Invalidate();
  c->Update();
}

TEST(Frame3D, LightTopLeftDarkBottomRightOnTheLastPixels) {
  testing_support::EnsureGuiApplication();
  TBitmap bmp(6, 5);
  bmp.Canvas().Brush().SetColor(clBlack);
  bmp.Canvas().FillRect(TRect{0, 0, 6, 5});
  TRect r{0, 0, 6, 5};
  Frame3D(bmp.Canvas(), r, clWhite, clRed, 1);
  EXPECT_EQ(r, (TRect{1, 1, 5, 4}));
  const std::vector<std::string> expected = {
      "WWWWWR", "W....R", "W....R", "W....R", "RRRRRR",
  };
  for (int y = 0; y < 5; ++y) {
    std::string row;
    for (int x = 0; x < 6; ++x) {
      const TColor p = bmp.GetPixel(x, y);
      row += p == clWhite ? 'W' : p == clRed ? 'R' : p == clBlack ? '.' : '?';
    }
    EXPECT_EQ(row, expected[static_cast<std::size_t>(y)]) << "row " << y;
  }
}

TEST(CustomPanel, PaintsBevelsFillAndCentredCaption) {
  testing_support::EnsureGuiApplication();
  TComponent root(nullptr);
  auto* panel = new TCustomPanel(&root);
  panel->SetBounds(0, 0, 100, 40);
  panel->SetBevelInner(bvLowered);
  panel->SetCaption("Hi");
  TRecordingCanvas canvas;
  panel->PaintWindow(canvas);
  const auto lines = canvas.Log().Named("Polyline");
  ASSERT_EQ(lines.size(), 4u);                    // two per bevel
  EXPECT_EQ(lines[0].Pen.Color, clBtnHighlight);  // raised outside
  EXPECT_EQ(lines[1].Pen.Color, clBtnShadow);
  EXPECT_EQ(lines[2].Pen.Color, clBtnShadow);  // lowered inside
  EXPECT_EQ(lines[3].Pen.Color, clBtnHighlight);
  const auto fills = canvas.Log().Named("FillRect");
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0].Args, (std::vector<int>{2, 2, 98, 38}));
  EXPECT_EQ(fills[0].Brush.Color, clBtnFace);
  const auto texts = canvas.Log().Named("TextOut");
  ASSERT_EQ(texts.size(), 1u);
  const TSize extent = canvas.TextExtent("Hi");
  EXPECT_EQ(texts[0].Args[0], (100 - extent.cx) / 2);
  EXPECT_EQ(texts[0].Args[1], (40 - extent.cy) / 2);
  EXPECT_EQ(texts[0].Text, "Hi");
}

}  // namespace
