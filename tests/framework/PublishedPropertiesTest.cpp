// The published-property mechanism: class descriptions, lookup by name and path, values and
// text, stored rules, events bound to published methods, and creation by class name.
#include <gtest/gtest.h>

#include <cstdint>

#include "framework/core/ClassBuilder.h"
#include "framework/core/Component.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Properties.h"

namespace sample {

enum TShape : std::uint8_t { shCircle, shSquare, shTriangle };
FW_ENUM_NAMES(TShape, "shCircle", "shSquare", "shTriangle")

enum TOption : std::uint8_t { opFirst, opSecond, opThird };
FW_ENUM_NAMES(TOption, "opFirst", "opSecond", "opThird")

class TFontish : public fw::TPersistent {
  FW_CLASS
 public:
  fw::TColor Color() const { return color_; }
  void SetColor(fw::TColor c) { color_ = c; }
  int Size() const { return size_; }
  void SetSize(int s) { size_ = s; }

  void Assign(const fw::TPersistent* source) override {
    if (auto* f = dynamic_cast<const TFontish*>(source)) {
      color_ = f->color_;
      size_ = f->size_;
      return;
    }
    fw::TPersistent::Assign(source);
  }

 private:
  fw::TColor color_ = fw::clBlack;
  int size_ = 8;
};

class TGadget : public fw::TComponent {
  FW_CLASS
 public:
  explicit TGadget(fw::TComponent* owner)
      : fw::TComponent(owner), font_(std::make_unique<TFontish>()) {}

  bool Visible() const { return visible_; }
  void SetVisible(bool v) {
    visible_ = v;
    ++setterCalls;
  }
  double Minimum() const { return minimum_; }
  void SetMinimum(double v) {
    if (v > 1e6) throw fw::Exception("Minimum too large");
    minimum_ = v;
  }
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& c) { caption_ = c; }
  const fw::TStringList& Lines() const { return lines_; }
  void SetLines(const fw::TStringList& l) { lines_ = l; }
  TShape Shape() const { return shape_; }
  void SetShape(TShape s) { shape_ = s; }
  int Options() const { return options_; }
  void SetOptions(int o) { options_ = o; }
  TFontish* Font() const { return font_.get(); }
  void SetFont(TFontish* f) { font_->Assign(f); }
  TGadget* Buddy() const { return buddy_; }
  void SetBuddy(TGadget* b) { buddy_ = b; }
  std::int16_t Cursor() const { return cursor_; }
  void SetCursor(std::int16_t c) { cursor_ = c; }

  fw::TNotifyEvent OnClick;
  fw::TEvent<void(TGadget*, int)> OnPick;
  int setterCalls = 0;

 private:
  bool visible_ = true;
  double minimum_ = 0;
  std::string caption_;
  fw::TStringList lines_;
  TShape shape_ = shCircle;
  int options_ = 0;
  std::unique_ptr<TFontish> font_;
  TGadget* buddy_ = nullptr;
  std::int16_t cursor_ = 0;
};

// Publishes Visible again with another default and adds one property.
class TBigGadget : public TGadget {
  FW_CLASS
 public:
  explicit TBigGadget(fw::TComponent* owner) : TGadget(owner) { SetVisible(false); }
  int Extra() const { return extra_; }
  void SetExtra(int e) { extra_ = e; }

 private:
  int extra_ = 0;
};

class TFormish : public fw::TComponent {
  FW_CLASS
 public:
  using fw::TComponent::TComponent;
  void GadgetClick(fw::TObject* sender) { clicks.push_back(sender); }
  void GadgetPick(TGadget*, int index) { picks.push_back(index); }
  std::vector<fw::TObject*> clicks;
  std::vector<int> picks;
};

const fw::TClassInfo& TFontish::StaticClass() {
  static const fw::TClassInfo& info =
      fw::TClassBuilder<TFontish>("TFontish", fw::TPersistent::StaticClass())
          .Color("Color", &TFontish::Color, &TFontish::SetColor)
          .Default(fw::TValue(std::int64_t{fw::clBlack}))
          .Property("Size", &TFontish::Size, &TFontish::SetSize)
          .Default(fw::TValue(std::int64_t{8}))
          .Build();
  return info;
}

const fw::TClassInfo& TGadget::StaticClass() {
  static const fw::TClassInfo& info =
      fw::TClassBuilder<TGadget>("TGadget", fw::TComponent::StaticClass())
          .Property("Visible", &TGadget::Visible, &TGadget::SetVisible)
          .Default(fw::TValue(true))
          .Property("Minimum", &TGadget::Minimum, &TGadget::SetMinimum)
          .StoredWhen([](const TGadget& g) { return !g.Visible(); })
          .Property("Caption", &TGadget::Caption, &TGadget::SetCaption)
          .Property("Lines", &TGadget::Lines, &TGadget::SetLines)
          .Property("Shape", &TGadget::Shape, &TGadget::SetShape)
          .Default(fw::TValue(std::int64_t{shCircle}))
          .SetOf<TOption>("Options", &TGadget::Options, &TGadget::SetOptions)
          .Property("Font", &TGadget::Font, &TGadget::SetFont)
          .Reference("Buddy", &TGadget::Buddy, &TGadget::SetBuddy)
          .Stored(false)
          .Property("Cursor", &TGadget::Cursor, &TGadget::SetCursor)
          .Event("OnClick", &TGadget::OnClick)
          .Event("OnPick", &TGadget::OnPick)
          .Property(
              "Style", [](const TGadget& g) { return g.Options() * 2; },
              [](TGadget& g, int v) { g.SetOptions(v / 2); })
          .Custom()
          .Creatable()
          .Build();
  return info;
}

const fw::TClassInfo& TBigGadget::StaticClass() {
  static const fw::TClassInfo& info =
      fw::TClassBuilder<TBigGadget>("TBigGadget", TGadget::StaticClass())
          .Property("Visible", &TBigGadget::Visible, &TBigGadget::SetVisible)
          .Default(fw::TValue(false))
          .Property("Extra", &TBigGadget::Extra, &TBigGadget::SetExtra)
          .Creatable()
          .Build();
  return info;
}

const fw::TClassInfo& TFormish::StaticClass() {
  static const fw::TClassInfo& info =
      fw::TClassBuilder<TFormish>("TFormish", fw::TComponent::StaticClass())
          .Method("GadgetClick", &TFormish::GadgetClick)
          .Method("GadgetPick", &TFormish::GadgetPick)
          .Creatable()
          .Build();
  return info;
}

}  // namespace sample

using namespace sample;

namespace {

std::vector<std::string> Names(const fw::TClassInfo& cls) {
  std::vector<std::string> names;
  for (const auto* p : cls.Properties()) names.push_back(p->Name);
  return names;
}

}  // namespace

TEST(PublishedProperties, ListInDeclarationOrderAfterInheritedOnes) {
  EXPECT_EQ(Names(TGadget::StaticClass()),
            (std::vector<std::string>{"Name", "Tag", "Visible", "Minimum", "Caption", "Lines",
                                      "Shape", "Options", "Font", "Buddy", "Cursor", "OnClick",
                                      "OnPick", "Style"}));
  // Published again: same place, the derived default; new ones at the end.
  auto big = Names(TBigGadget::StaticClass());
  EXPECT_EQ(big.size(), 15u);
  EXPECT_EQ(big[2], "Visible");
  EXPECT_EQ(big.back(), "Extra");
  EXPECT_TRUE(std::get<bool>(*TGadget::StaticClass().FindProperty("Visible")->Default));
  EXPECT_FALSE(std::get<bool>(*TBigGadget::StaticClass().FindProperty("visible")->Default));
}

TEST(PublishedProperties, KindsAreDeducedFromTheAccessors) {
  const auto& cls = TGadget::StaticClass();
  struct Row {
    const char* name;
    fw::TPropKind kind;
  } rows[] = {{"Visible", fw::TPropKind::Bool},   {"Minimum", fw::TPropKind::Double},
              {"Caption", fw::TPropKind::String}, {"Lines", fw::TPropKind::StringList},
              {"Shape", fw::TPropKind::Enum},     {"Options", fw::TPropKind::Set},
              {"Font", fw::TPropKind::Object},    {"Buddy", fw::TPropKind::Reference},
              {"Cursor", fw::TPropKind::Int},     {"OnClick", fw::TPropKind::Event},
              {"Tag", fw::TPropKind::Int}};
  for (const auto& row : rows) {
    const auto* p = cls.FindProperty(row.name);
    ASSERT_NE(p, nullptr) << row.name;
    EXPECT_EQ(p->Kind, row.kind) << row.name;
  }
  EXPECT_EQ(cls.FindProperty("Font")->ObjectClass(), &TFontish::StaticClass());
  EXPECT_EQ(cls.FindProperty("Shape")->Enum->TypeName, "TShape");
  EXPECT_TRUE(cls.FindProperty("Style")->Custom);
  EXPECT_EQ(cls.FindProperty("NoSuch"), nullptr);
}

TEST(PublishedProperties, ValuesByNameAndByPath) {
  TGadget g(nullptr);
  fw::SetPropValue(g, "Minimum", fw::TValue(-26000.0));
  fw::SetPropValue(g, "minimum", fw::TValue(std::int64_t{5}));  // integers widen to numbers
  EXPECT_EQ(g.Minimum(), 5.0);
  fw::SetPropValue(g, "Font.Color", fw::TValue(std::int64_t{fw::clRed}));
  fw::SetPropValue(g, "Font.Size", fw::TValue(16.0));  // an integral number narrows
  EXPECT_EQ(g.Font()->Color(), fw::clRed);
  EXPECT_EQ(g.Font()->Size(), 16);
  fw::SetPropValue(g, "Lines", fw::TValue(fw::TStringList{"Oscilloscope"}));
  EXPECT_EQ(g.Lines(), fw::TStringList{"Oscilloscope"});
  EXPECT_EQ(std::get<std::int64_t>(fw::GetPropValue(g, "Font.Color")), fw::clRed);
  EXPECT_EQ(std::get<fw::TObject*>(fw::GetPropValue(g, "Font")), g.Font());
}

TEST(PublishedProperties, TextFormsOfEveryKind) {
  TGadget g(nullptr);
  struct Row {
    const char* path;
    const char* text;
    const char* readBack;
  } rows[] = {
      {"Visible", "false", "False"},
      {"Minimum", "-500", "-500"},
      {"Minimum", "0.25", "0.25"},
      {"Caption", " Measure ", " Measure "},
      {"Lines", "one\r\ntwo", "one\ntwo"},
      {"Shape", "shTriangle", "shTriangle"},
      {"Shape", "1", "shSquare"},
      {"Options", "[opFirst, opThird]", "[opFirst,opThird]"},
      {"Options", "[]", "[]"},
      {"Font.Color", "clRed", "clRed"},
      {"Font.Color", "$00123456", "$00123456"},
      {"Font.Color", "clBtnFace", "clBtnFace"},
      {"Cursor", "-21", "-21"},
      {"Tag", "$10", "16"},
  };
  for (const auto& row : rows) {
    fw::SetPropText(g, row.path, row.text);
    EXPECT_EQ(fw::GetPropText(g, row.path), row.readBack) << row.path << " = " << row.text;
  }
}

TEST(PublishedProperties, RefusedValuesNameThePropertyAndKeepTheOldValue) {
  TGadget g(nullptr);
  g.SetShape(shSquare);
  struct Row {
    const char* path;
    const char* text;
    const char* message;
  } rows[] = {
      {"Shape", "shHexagon", "Invalid value 'shHexagon' for property Shape (TShape)"},
      {"Shape", "3", "Invalid value '3' for property Shape (TShape)"},
      {"Visible", "yes", "Invalid value 'yes' for property Visible (boolean)"},
      {"Minimum", "1,5", "Invalid value '1,5' for property Minimum (number)"},
      {"Options", "[opFourth]", "Invalid value '[opFourth]' for property Options (TOption)"},
      {"Font.Colour", "clRed", "Property 'Colour' does not exist in TFontish"},
      {"Caption.Text", "x",
       "Property Caption of TGadget has no properties of its own (in 'Caption.Text')"},
      {"Cursor", "70000", "Invalid value for property Cursor: a value in range expected"},
      {"Buddy", "Nobody", "Component Nobody not found for property Buddy"},
  };
  for (const auto& row : rows) {
    try {
      fw::SetPropText(g, row.path, row.text);
      ADD_FAILURE() << row.path << " accepted " << row.text;
    } catch (const fw::EPropertyError& e) {
      EXPECT_EQ(std::string(e.what()), row.message);
    }
  }
  EXPECT_EQ(g.Shape(), shSquare);
  EXPECT_EQ(g.Cursor(), 0);
  EXPECT_THROW(fw::SetPropValue(g, "Visible", fw::TValue(2.5)), fw::EPropertyError);
  EXPECT_THROW(fw::SetPropValue(g, "Caption", fw::TValue(std::int64_t{3})), fw::EPropertyError);
  // The setter's own refusal passes through unchanged.
  EXPECT_THROW(fw::SetPropValue(g, "Minimum", fw::TValue(2e6)), fw::Exception);
  EXPECT_EQ(g.Minimum(), 0.0);
}

TEST(PublishedProperties, StoredRules) {
  TGadget g(nullptr);
  const auto& cls = TGadget::StaticClass();
  auto stored = [&](const char* name) { return cls.FindProperty(name)->IsStored(g); };
  EXPECT_FALSE(stored("Visible"));  // equals its default
  EXPECT_FALSE(stored("Minimum"));  // stored only while invisible
  EXPECT_TRUE(stored("Caption"));   // no default: always stored
  EXPECT_FALSE(stored("Buddy"));    // never stored
  EXPECT_FALSE(stored("Shape"));
  g.SetVisible(false);
  g.SetShape(shSquare);
  EXPECT_TRUE(stored("Visible"));
  EXPECT_TRUE(stored("Minimum"));
  EXPECT_TRUE(stored("Shape"));
  TBigGadget big(nullptr);
  EXPECT_FALSE(TBigGadget::StaticClass().FindProperty("Visible")->IsStored(big));
}

TEST(PublishedProperties, NestedObjectWriteAssigns) {
  TGadget a(nullptr), b(nullptr);
  b.Font()->SetColor(fw::clBlue);
  b.Font()->SetSize(12);
  TFontish* before = a.Font();
  fw::SetPropValue(a, "Font", fw::TValue(static_cast<fw::TObject*>(b.Font())));
  EXPECT_EQ(a.Font(), before);
  EXPECT_EQ(a.Font()->Color(), fw::clBlue);
  EXPECT_EQ(a.Font()->Size(), 12);
  // An object of another class is refused before the setter runs.
  EXPECT_THROW(fw::SetPropValue(a, "Font", fw::TValue(static_cast<fw::TObject*>(&b))),
               fw::EPropertyError);
}

TEST(PublishedProperties, ReferencesByNameAmongTheOwnersComponents) {
  TFormish form(nullptr);
  auto* g1 = new TGadget(&form);
  auto* g2 = new TGadget(&form);
  g1->SetName("Gadget1");
  g2->SetName("Gadget2");
  fw::SetPropText(*g1, "Buddy", "gadget2");
  EXPECT_EQ(g1->Buddy(), g2);
  EXPECT_EQ(fw::GetPropText(*g1, "Buddy"), "Gadget2");
  fw::SetPropText(*g1, "Buddy", "");
  EXPECT_EQ(g1->Buddy(), nullptr);
  // A component of the wrong class is refused.
  auto* plain = new fw::TComponent(&form);
  plain->SetName("Plain");
  EXPECT_THROW(fw::SetPropText(*g1, "Buddy", "Plain"), fw::EPropertyError);
}

TEST(PublishedProperties, EventsBindToPublishedMethodsByName) {
  TFormish form(nullptr);
  auto* g = new TGadget(&form);
  fw::SetPropText(*g, "OnClick", "GadgetClick");
  fw::SetPropValue(*g, "OnPick", fw::TValue(fw::MethodByName(form, "gadgetpick")));
  ASSERT_TRUE(g->OnClick);
  g->OnClick(g);
  g->OnPick(g, 7);
  EXPECT_EQ(form.clicks, std::vector<fw::TObject*>{g});
  EXPECT_EQ(form.picks, std::vector<int>{7});
  EXPECT_EQ(fw::GetPropText(*g, "OnClick"), "GadgetClick");
  // A handler of another signature does not fit; an unknown method is named.
  EXPECT_THROW(fw::SetPropText(*g, "OnClick", "GadgetPick"), fw::EPropertyError);
  EXPECT_THROW(fw::SetPropText(*g, "OnClick", "NoSuchHandler"), fw::EPropertyError);
  EXPECT_EQ(fw::GetPropText(*g, "OnClick"), "GadgetClick");
  fw::SetPropText(*g, "OnClick", "");
  EXPECT_FALSE(g->OnClick);
  // A lambda assigned in code reads back as an unnamed handler.
  g->OnClick = [](fw::TObject*) {};
  auto m = std::get<fw::TMethod>(fw::GetPropValue(*g, "OnClick"));
  EXPECT_TRUE(m.Assigned());
  EXPECT_EQ(m.Name, "");
}

TEST(PublishedProperties, CreateByClassNameWithOwner) {
  fw::RegisterClass(TBigGadget::StaticClass());
  TFormish form(nullptr);
  fw::TComponent* c = fw::CreateComponent("tbiggadget", &form);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->ClassName(), "TBigGadget");
  EXPECT_TRUE(c->Is<TGadget>());
  EXPECT_EQ(c->Owner(), &form);
  EXPECT_EQ(form.ComponentCount(), 1);
  EXPECT_FALSE(static_cast<TGadget*>(c)->Visible());
  try {
    fw::CreateComponent("TNoSuchClass", &form);
    ADD_FAILURE();
  } catch (const fw::EClassNotFound& e) {
    EXPECT_STREQ(e.what(), "Class TNoSuchClass not found");
  }
  fw::RegisterClass(TFontish::StaticClass());
  EXPECT_THROW(fw::CreateComponent("TFontish", &form), fw::EPropertyError);  // not a component
}
