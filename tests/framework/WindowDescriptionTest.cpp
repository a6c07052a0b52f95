// Reading window descriptions: the example window end to end, forward references, creation by
// class name, and the message of every kind of broken description.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ExampleForm.h"
#include "framework/core/Properties.h"
#include "framework/widgets/WindowDescription.h"
#include "kExampleFormDescription.h"
#include "support/GuiTestApp.h"

namespace {

using namespace fw;

// A window with one published field and two handlers of different signatures.
class TSmallForm : public TForm {
  FW_CLASS

 public:
  explicit TSmallForm(TComponent* owner) : TForm(owner) {}
  TButton* Button1 = nullptr;
  int clicks = 0;
  void Button1Click(TObject*) { ++clicks; }
  void FormClose(TObject*, TCloseAction&) {}
};

const TClassInfo& TSmallForm::StaticClass() {
  static const TClassInfo& info = TClassBuilder<TSmallForm>("TSmallForm", TForm::StaticClass())
                                      .Field("Button1", &TSmallForm::Button1)
                                      .Method("Button1Click", &TSmallForm::Button1Click)
                                      .Method("FormClose", &TSmallForm::FormClose)
                                      .Creatable()
                                      .Build();
  return info;
}

class WindowDescription : public ::testing::Test {
 protected:
  WindowDescription() {
    testing_support::EnsureGuiApplication();
    example::RegisterPlotLibrary();
  }
};

TEST_F(WindowDescription, ExampleWindowIsBuiltAsDescribed) {
  std::unique_ptr<example::TExampleForm> form(
      CreateForm<example::TExampleForm>(nullptr, kExampleFormDescription));
  EXPECT_EQ(form->Name(), "ExampleForm");
  EXPECT_EQ(form->Caption(), "Laser bench");
  EXPECT_EQ(form->ClientWidth(), 460);
  EXPECT_EQ(form->ClientHeight(), 240);
  EXPECT_EQ(form->BorderStyle(), bsSingle);
  EXPECT_EQ(form->BorderIcons(), (1 << biSystemMenu) | (1 << biMinimize));
  EXPECT_EQ(form->Position(), poScreenCenter);
  EXPECT_FALSE(form->Icon().empty());
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(form->log, (std::vector<std::string>{"FormCreate"}));

  // Published fields point at the components, all owned by the window, parented by nesting.
  ASSERT_NE(form->CheckBox1, nullptr);
  ASSERT_NE(form->Plot, nullptr);
  EXPECT_EQ(form->ComponentCount(), 7);
  for (int i = 0; i < form->ComponentCount(); ++i) {
    EXPECT_EQ(form->Components(i)->Owner(), form.get());
    EXPECT_FALSE(form->Components(i)->Loading());
  }
  EXPECT_EQ(form->GroupBox2->Parent(), form.get());
  EXPECT_EQ(form->CheckBox1->Parent(), form->GroupBox2);
  EXPECT_EQ(form->ComboBoxIn->Parent(), form->GroupBox2);
  EXPECT_EQ(form->Plot->Parent(), form->Panel1);
  EXPECT_EQ(form->TabList(),
            (std::vector<TWinControl*>{form->GroupBox2, form->Panel1, form->Button1}));

  struct Place {
    TControl* control;
    TRect bounds;
    std::string caption;
  };
  for (const Place& p :
       std::vector<Place>{{form->GroupBox2, {4, 9, 209, 162}, "Laser"},
                          {form->CheckBox1, {16, 40, 113, 57}, "On/Off"},
                          {form->ComboBoxIn, {56, 104, 121, 128}, "25"},
                          {form->StaticText4, {16, 80, 105, 100}, "Laser Intensity"},
                          {form->Panel1, {213, 14, 453, 194}, ""},
                          {form->Plot, {1, 1, 239, 179}, ""},  // alClient inside the bevel
                          {form->Button1, {8, 169, 209, 194}, "Measure"}}) {
    EXPECT_EQ(p.control->BoundsRect(), p.bounds) << p.control->Name();
    EXPECT_EQ(p.control->Caption(), p.caption) << p.control->Name();
  }

  EXPECT_TRUE(form->CheckBox1->Checked());
  ASSERT_EQ(form->ComboBoxIn->Items().size(), 21u);
  EXPECT_EQ(form->ComboBoxIn->Items().front(), "10");
  EXPECT_EQ(form->ComboBoxIn->Items().back(), "30");
  EXPECT_EQ(form->ComboBoxIn->ItemHeight(), 16);
  EXPECT_EQ(form->Plot->DotColor(), clRed);
  EXPECT_EQ(form->Plot->Frame()->Color(), clNavy);

  // The window's bold 13-pixel font reaches the controls without a font of their own.
  EXPECT_EQ(form->Font()->Height(), -13);
  EXPECT_TRUE(form->Font()->Style().Contains(fsBold));
  EXPECT_TRUE(form->ComboBoxIn->Font()->Style().Contains(fsBold));
  EXPECT_TRUE(form->Button1->Font()->Style().Contains(fsBold));
  EXPECT_FALSE(form->CheckBox1->Font()->Style().Contains(fsBold));
  EXPECT_FALSE(form->CheckBox1->ParentFont());
  EXPECT_EQ(form->StaticText4->Font()->Height(), -13);

  EXPECT_EQ(form->CheckBox1->OnClick.MethodName(), "CheckBox1Click");
  EXPECT_EQ(GetPropText(*form->ComboBoxIn, "OnChange"), "ComboBoxInChange");
  EXPECT_EQ(GetPropText(*form, "OnClose"), "FormClose");
  form->Button1->Click();
  EXPECT_EQ(form->log.back(), "Button1Click");
}

TEST_F(WindowDescription, PropertiesMayNameComponentsDescribedLater) {
  const char* text = R"({
    "class": "TSmallForm", "name": "Small",
    "children": [
      { "class": "TButton", "name": "Button1", "properties": { "Parent": "Box", "Left": 3 },
        "events": { "OnClick": "Button1Click" } },
      { "class": "TGroupBox", "name": "Box" }
    ] })";
  std::unique_ptr<TSmallForm> form(CreateForm<TSmallForm>(nullptr, text));
  EXPECT_EQ(form->Button1->Parent(), form->FindComponent("Box"));
  form->Button1->Click();
  EXPECT_EQ(form->clicks, 1);
}

TEST_F(WindowDescription, CreatesTheRootByItsClassName) {
  std::unique_ptr<TComponent> panel(CreateFromWindowDescription(
      R"({ "class": "TPanel", "name": "Lone", "properties": { "Caption": "x", "BevelOuter": "bvLowered" } })",
      nullptr));
  auto* p = dynamic_cast<TPanel*>(panel.get());
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->Name(), "Lone");
  EXPECT_EQ(p->BevelOuter(), bvLowered);
}

// A description of TSmallForm whose Button1 entry carries `button` (properties, events).
std::string WithButton(const std::string& button, const std::string& more = "") {
  return R"({ "class": "TSmallForm", "name": "Small", "children": [ { "class": "TButton", "name": "Button1")" +
         (button.empty() ? "" : ", " + button) + " }" + more + " ] }";
}

TEST_F(WindowDescription, BrokenDescriptionsStopWithASentenceNamingTheFault) {
  struct Case {
    std::string text;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"[]", "the text must be one JSON object describing the window"},
      {R"({ "class": "TForm" })",
       "the description is of class 'TForm', but the window being read is a TSmallForm"},
      {WithButton("", R"(, { "class": "TFoo", "name": "X" })"),
       "class 'TFoo' of component 'X' is not registered"},
      {WithButton("", R"(, { "class": "TControl", "name": "X" })"),
       "class 'TControl' of component 'X' cannot be created by name"},
      {WithButton("", R"(, { "name": "X" })"), "component 'X' has no \"class\""},
      {WithButton(R"("propertes": {})"),
       "component 'Button1' has an unknown entry 'propertes' (allowed: class, name, properties, "
       "events, children)"},
      {WithButton(R"("properties": { "Captoin": "x" })"),
       "component 'Button1' (TButton) has no property 'Captoin': Property 'Captoin' does not exist "
       "in TButton"},
      {WithButton(R"("properties": { "Font": { "Nmae": "Arial" } })"),
       "component 'Button1' (TButton) has no property 'Font.Nmae': Property 'Nmae' does not exist "
       "in TFont"},
      {WithButton(R"("properties": { "Width": "wide" })"),
       "component 'Button1' (TButton), property 'Width': Invalid value 'wide' for property Width "
       "(integer)"},
      {WithButton(R"("properties": { "Left": [1] })"),
       "component 'Button1' (TButton), property 'Left': a list does not fit a property of kind "
       "integer"},
      {WithButton(R"("properties": { "Left": { "X": 1 } })"),
       "component 'Button1' (TButton), property 'Left' is of kind integer and has no properties of "
       "its own"},
      {WithButton(R"("properties": { "Parent": "Nowhere" })"),
       "component 'Button1' (TButton), property 'Parent': Component Nowhere not found for property "
       "Parent"},
      {WithButton(R"("properties": { "OnClick": "Button1Click" })"),
       "component 'Button1' (TButton), property 'OnClick' is an event: bind it under \"events\""},
      {WithButton(R"("events": { "OnClick": "Button1Clik" })"),
       "component 'Button1' (TButton), event 'OnClick': handler 'Button1Clik' is not a published "
       "method of TSmallForm"},
      {WithButton(R"("events": { "OnClick": "FormClose" })"),
       "component 'Button1' (TButton), event 'OnClick': handler 'FormClose' of TSmallForm does not "
       "take the event's parameters"},
      {WithButton(R"("events": { "OnHover": "Button1Click" })"),
       "component 'Button1' (TButton) has no event 'OnHover'"},
      {WithButton(R"("events": { "Caption": "Button1Click" })"),
       "component 'Button1' (TButton): 'Caption' is not an event"},
      {WithButton("", R"(, { "class": "TButton", "name": "Button1" })"),
       "an unnamed component of class TButton cannot take the name 'Button1': A component named "
       "Button1 already exists"},
      {WithButton("", R"(, { "class": "TButton", "name": "2nd" })"),
       "an unnamed component of class TButton cannot take the name '2nd': '2nd' is not a valid "
       "component name"},
      {WithButton("", R"(, { "class": "TPanel", "name": "P", "properties": { "BevelWidth": 0 } })"),
       "component 'P' (TPanel), property 'BevelWidth': BevelWidth must be 1 or more, not 0"},
      {WithButton(
           "",
           R"(, { "class": "TGroupBox", "name": "Box", "children": [ { "class": "TComponent", "name": "Helper" } ] })"),
       "component 'Helper' (TComponent) is not a control and cannot be nested in component 'Box' "
       "(TGroupBox); describe it at the top level"},
      {WithButton(
           "",
           R"(, { "class": "TComponent", "name": "Helper", "children": [ { "class": "TButton", "name": "B" } ] })"),
       "component 'B' (TButton) is a control and cannot be placed in component 'Helper' "
       "(TComponent), which holds no controls"},
      {R"({ "class": "TSmallForm", "children": [] })",
       "field 'Button1' of TSmallForm has no component of that name"},
      {R"({ "class": "TSmallForm", "children": [ { "class": "TCheckBox", "name": "Button1" } ] })",
       "field 'Button1' of TSmallForm is a TButton, but component 'Button1' is a TCheckBox"},
      {R"({ "class": "TSmallForm", "name": "Small", "properties": { "Icon": "data:image/png;base64,AAAA" } })",
       "component 'Small' (TSmallForm), property 'Icon': Icon is neither image data "
       "(\"data:image/...;base64,...\") nor a readable image"},
  };
  for (const Case& c : cases) {
    TComponent owner(nullptr);
    try {
      CreateForm<TSmallForm>(&owner, c.text);
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const EReadError& e) {
      EXPECT_EQ(std::string(e.what()), "Window description: " + c.message) << c.text;
    }
    EXPECT_EQ(owner.ComponentCount(), 0) << "a broken window stays behind: " << c.text;
  }
}

TEST_F(WindowDescription, SyntaxErrorsGiveLineAndColumn) {
  try {
    TSmallForm form(nullptr);
    ReadWindowDescription(form, "{\n  \"class\": \"TSmallForm\",\n  \"name\" \"Small\"\n}");
    FAIL() << "accepted";
  } catch (const EReadError& e) {
    const std::string m = e.what();
    EXPECT_EQ(m.rfind("Window description: the text is not valid JSON: ", 0), 0u) << m;
    EXPECT_NE(m.find("line 3"), std::string::npos) << m;
  }
}

}  // namespace
