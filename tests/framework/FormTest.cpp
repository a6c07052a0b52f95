// Windows on the off-screen platform: the example window's widgets, operator actions and their
// events, the error report of a throwing handler, message boxes, closing and the message loop,
// and the rendered picture.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "ExampleForm.h"
#include "WidgetTestSupport.h"
#include "framework/core/SystemColors.h"
#include "framework/widgets/FormImage.h"
#include "framework/widgets/UserInput.h"
#include "framework/widgets/WidgetPeer.h"
#include "kExampleFormDescription.h"

namespace {

using namespace fw;
using example::TExampleForm;

class Form : public testing_support::WidgetTest {
 protected:
  Form() {
    example::RegisterPlotLibrary();
    app->SetTitle("Bench");
    form = app->CreateForm<TExampleForm>(kExampleFormDescription);
  }

  template <class W>
  static W* WidgetOf(const TWinControl& control) {
    TWidgetPeer* peer = TWidgetPeer::Of(control);
    return peer ? qobject_cast<W*>(peer->Widget()) : nullptr;
  }

  // Lets the event loop deliver what is pending (paint requests and the paints they post).
  static void Settle() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
  }

  static QRgb Rgb(TColor color) {
    const TColor c = ColorToRGB(color);
    return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
  }

  TExampleForm* form = nullptr;
};

TEST_F(Form, WidgetsStandWhereTheDescriptionPutsThem) {
  form->HandleNeeded();
  QWidget* window = TWidgetPeer::Of(*form)->Widget();
  EXPECT_TRUE(window->isWindow());
  EXPECT_EQ(window->windowTitle(), "Laser bench");
  EXPECT_EQ(window->size(), QSize(460, 240));
  EXPECT_EQ(window->minimumSize(), window->maximumSize());  // bsSingle: fixed size
  EXPECT_TRUE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(window->windowIcon().isNull());

  for (TWinControl* c :
       std::vector<TWinControl*>{form->GroupBox2, form->CheckBox1, form->ComboBoxIn,
                                 form->StaticText4, form->Panel1, form->Plot, form->Button1}) {
    QWidget* w = TWidgetPeer::Of(*c)->Widget();
    const QPoint inParent = w->parentWidget()->mapTo(window, QPoint(0, 0));
    QPoint expected(c->Left(), c->Top());
    for (TWinControl* p = c->Parent(); p != form; p = p->Parent())
      expected += QPoint(p->Left(), p->Top());
    EXPECT_EQ(inParent + w->pos(), expected) << c->Name();
    EXPECT_EQ(w->size(), QSize(c->Width(), c->Height())) << c->Name();
  }
  EXPECT_EQ(WidgetOf<QGroupBox>(*form->GroupBox2)->title(), "Laser");
  EXPECT_EQ(WidgetOf<QCheckBox>(*form->CheckBox1)->text(), "On/Off");
  EXPECT_TRUE(WidgetOf<QCheckBox>(*form->CheckBox1)->isChecked());
  auto* combo = WidgetOf<QComboBox>(*form->ComboBoxIn);
  EXPECT_TRUE(combo->isEditable());
  EXPECT_EQ(combo->count(), 21);
  EXPECT_EQ(combo->currentText(), "25");
  EXPECT_EQ(WidgetOf<QLabel>(*form->StaticText4)->text(), "Laser Intensity");
  EXPECT_EQ(WidgetOf<QPushButton>(*form->Button1)->text(), "Measure");
  EXPECT_TRUE(WidgetOf<QPushButton>(*form->Button1)->font().bold());
  EXPECT_FALSE(WidgetOf<QCheckBox>(*form->CheckBox1)->font().bold());
  EXPECT_EQ(WidgetOf<QCheckBox>(*form->CheckBox1)->font().pixelSize(), 13);
}

TEST_F(Form, OperatorActionsFireTheBoundHandlers) {
  ClickButton(*form->Button1);
  EXPECT_EQ(form->Plot->Dots().size(), 1u);
  ClickButton(*form->CheckBox1);
  EXPECT_FALSE(form->CheckBox1->Checked());
  ClickButton(*form->CheckBox1);
  EXPECT_TRUE(form->CheckBox1->Checked());

  SelectAllText(*form->ComboBoxIn);
  TypeText(*form->ComboBoxIn, "15");  // each keystroke is a change
  EXPECT_EQ(form->ComboBoxIn->Text(), "15");
  PickItem(*form->ComboBoxIn, 20);
  EXPECT_EQ(form->ComboBoxIn->Text(), "30");
  EXPECT_EQ(form->ComboBoxIn->ItemIndex(), 20);
  EXPECT_EQ(form->log, (std::vector<std::string>{"FormCreate", "Button1Click", "CheckBox1Click off",
                                                 "CheckBox1Click on", "ComboBoxInChange 1",
                                                 "ComboBoxInChange 15", "ComboBoxInChange 30"}));
  EXPECT_TRUE(boxes.empty());
}

TEST_F(Form, PickingOrEnteringTheTextAlreadyThereIsNoChange) {
  SelectAllText(*form->ComboBoxIn);
  TypeText(*form->ComboBoxIn, "15");
  QLineEdit* edit = WidgetOf<QComboBox>(*form->ComboBoxIn)->lineEdit();
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
  QCoreApplication::sendEvent(edit, &enter);
  PickItem(*form->ComboBoxIn, 5);  // "15" again
  EXPECT_EQ(form->ComboBoxIn->ItemIndex(), 5);
  EXPECT_EQ(form->log,
            (std::vector<std::string>{"FormCreate", "ComboBoxInChange 1", "ComboBoxInChange 15"}));
}

TEST_F(Form, ChangesFromCodeShowInTheWidgetsAndOnlyTheCheckBoxCallsItAClick) {
  form->HandleNeeded();
  form->ComboBoxIn->SetText("12");
  EXPECT_EQ(WidgetOf<QComboBox>(*form->ComboBoxIn)->currentText(), "12");
  form->ComboBoxIn->SetItemIndex(0);
  EXPECT_EQ(form->ComboBoxIn->Text(), "10");
  EXPECT_EQ(WidgetOf<QComboBox>(*form->ComboBoxIn)->currentIndex(), 0);
  form->ComboBoxIn->SetItems({"1", "2"});
  EXPECT_EQ(WidgetOf<QComboBox>(*form->ComboBoxIn)->count(), 2);
  form->CheckBox1->SetChecked(false);
  EXPECT_FALSE(WidgetOf<QCheckBox>(*form->CheckBox1)->isChecked());
  form->Button1->SetCaption("Again");
  EXPECT_EQ(WidgetOf<QPushButton>(*form->Button1)->text(), "Again");
  form->Button1->SetBounds(1, 2, 30, 40);
  EXPECT_EQ(WidgetOf<QPushButton>(*form->Button1)->geometry(), QRect(1, 2, 30, 40));
  EXPECT_EQ(form->log, (std::vector<std::string>{"FormCreate", "CheckBox1Click off"}));
}

TEST_F(Form, AThrowingHandlerIsReportedAndTheWindowGoesOn) {
  SelectAllText(*form->ComboBoxIn);
  TypeText(*form->ComboBoxIn, "x");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "'x' is not a valid integer value");
  EXPECT_EQ(boxes[0].caption, "Bench");
  EXPECT_EQ(boxes[0].flags, MB_OK | MB_ICONERROR);
  EXPECT_EQ(form->ComboBoxIn->Text(), "x");  // the box keeps the text
  ClickButton(*form->Button1);
  EXPECT_EQ(form->log.back(), "Button1Click");

  std::vector<std::string> seen;
  app->OnException = [&](TObject* sender, std::exception_ptr e) {
    EXPECT_EQ(sender, app.get());
    seen.push_back(ExceptionText(e));
  };
  form->Plot->OnMouseDown = [](TObject*, TMouseButton, TShiftState, int, int) {
    throw EConvertError("plot says no");
  };
  MouseClick(*form->Plot, 5, 5);
  EXPECT_EQ(seen, (std::vector<std::string>{"plot says no"}));
  EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(Form, MessageBoxesGoThroughThePresenter) {
  EXPECT_EQ(app->MessageBox("Error.\nUSB not open.", "", 48), 1);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Error.\nUSB not open.");
  EXPECT_EQ(boxes[0].caption, "");
  EXPECT_EQ(boxes[0].flags, MB_ICONWARNING);
  EXPECT_EQ(Application(), app.get());
  int argc = 1;
  char name[] = "x";
  char* argv[] = {name, nullptr};
  EXPECT_THROW(TApplication second(argc, argv), EComponentError);
}

TEST_F(Form, OffScreenNobodyCanAnswerSoTheDefaultButtonDoes) {
  // The real presenter: on the off-screen platform it writes the text out and answers at once.
  EXPECT_EQ(ShowQtMessageBox({"Error.", "", MB_ICONWARNING}), 1);     // OK
  EXPECT_EQ(ShowQtMessageBox({"Sure?", "", 0x24}), 6);                // Yes of Yes/No
  EXPECT_EQ(ShowQtMessageBox({"Sure?", "", 0x124}), 7);               // No, the second, as default
  EXPECT_EQ(ShowQtMessageBox({"Again?", "Title", 0x05 | 0x100}), 2);  // Cancel of Retry/Cancel
}

TEST_F(Form, SelfPaintingControlGetsClicksInClientCoordinates) {
  std::vector<TPoint> at;
  form->Plot->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState s, int x, int y) {
    EXPECT_EQ(b, mbRight);
    EXPECT_TRUE(s.Contains(ssRight));
    at.push_back(TPoint{x, y});
  };
  int clicks = 0;
  form->Plot->OnClick = [&](TObject*) { ++clicks; };
  MouseClick(*form->Plot, 17, 23, mbRight);
  EXPECT_EQ(at, (std::vector<TPoint>{{17, 23}}));
  EXPECT_EQ(clicks, 0);
  form->Plot->OnMouseDown = nullptr;
  MouseClick(*form->Plot, 4, 4);
  EXPECT_EQ(clicks, 1);
}

TEST_F(Form, CloseActionDecidesAndTheMainFormEndsTheMessageLoop) {
  form->closeAction = caNone;
  form->Show();
  EXPECT_FALSE(CloseWindow(*form));
  EXPECT_TRUE(form->Visible());
  EXPECT_FALSE(app->Terminated());

  form->closeAction = caHide;
  QTimer::singleShot(0, [this] { CloseWindow(*form); });
  app->Run();  // returns once the main form has closed
  EXPECT_TRUE(app->Terminated());
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(form->log, (std::vector<std::string>{"FormCreate", "FormClose", "FormClose"}));
}

TEST_F(Form, AFormClosedWithCaFreeIsDeletedAfterTheEvent) {
  std::string text(kExampleFormDescription);
  text.replace(text.find("\"ExampleForm\""), 13,
               "\"SecondForm\"");  // names are unique among the owner's
  auto* second = app->CreateForm<TExampleForm>(text);
  EXPECT_EQ(app->MainForm(), form);
  second->closeAction = caFree;
  second->Show();
  const int before = app->ComponentCount();
  EXPECT_TRUE(CloseWindow(*second));
  EXPECT_EQ(app->ComponentCount(), before);  // not under the handler's feet
  app->ProcessMessages();
  EXPECT_EQ(app->ComponentCount(), before - 1);
}

TEST_F(Form, ShownCentredOnTheScreen) {
  EXPECT_FALSE(form->Visible());
  form->Show();
  EXPECT_TRUE(TWidgetPeer::Of(*form)->Widget()->isVisible());
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_EQ(form->Left(), screen.x() + (screen.width() - 460) / 2);
  EXPECT_EQ(form->Top(), screen.y() + (screen.height() - 240) / 2);
}

TEST_F(Form, ADescriptionThatMakesTheFormVisibleShowsIt) {
  std::string text(kExampleFormDescription);
  text.replace(text.find("\"ExampleForm\""), 13, "\"SecondForm\"");
  text.replace(text.find("\"Left\": 295"), 11, "\"Visible\": true");
  TExampleForm* second = app->CreateForm<TExampleForm>(text);
  EXPECT_TRUE(second->Visible());
  EXPECT_TRUE(TWidgetPeer::Of(*second)->Widget()->isVisible());
}

TEST_F(Form, RenderedPictureShowsControlsAndWhatThePlotPaints) {
  const QImage before = RenderControl(*form);
  ASSERT_EQ(before.size(), QSize(460, 240));
  const QPoint plot(214, 15);  // the plot's client origin: panel at 213,14 plus its bevel
  const QPoint centre = plot + QPoint(238 / 2, 178 / 2);
  EXPECT_EQ(before.pixel(2, 2), Rgb(clBtnFace));
  EXPECT_EQ(before.pixel(213, 14), Rgb(clBtnHighlight));           // raised bevel, top-left
  EXPECT_EQ(before.pixel(213 + 239, 14 + 179), Rgb(clBtnShadow));  // and bottom-right
  EXPECT_EQ(before.pixel(plot), Rgb(clNavy));                      // the plot's frame
  EXPECT_EQ(before.pixel(centre), Rgb(clWhite));
  EXPECT_GT(form->Plot->PaintCount(), 0);

  // Drawing on the plot's window surface outside a paint shows without the plot painting again.
  const int paints = form->Plot->PaintCount();
  TCanvas& surface = form->Plot->Canvas();
  surface.Pen().SetColor(clLime);
  surface.MoveTo(10, 10);
  surface.LineTo(10, 20);
  EXPECT_EQ(RenderControl(*form).pixel(plot + QPoint(10, 15)), Rgb(clLime));
  EXPECT_EQ(form->Plot->PaintCount(), paints);

  ClickButton(*form->Button1);  // adds a dot: the plot asks for a paint
  const std::string path = ::testing::TempDir() + "example_form.png";
  ASSERT_TRUE(SaveControlImage(*form, path));
  const QImage after(QString::fromStdString(path));
  EXPECT_EQ(after.pixel(centre), Rgb(clRed));
  EXPECT_EQ(after.pixel(centre + QPoint(4, 0)), Rgb(clWhite));
  EXPECT_EQ(after.pixel(plot + QPoint(10, 15)), Rgb(clWhite));  // the plot painted itself anew
  EXPECT_EQ(form->Plot->PaintCount(), paints + 1);
}

// Repaint requests made while one is pending collapse into one paint that shows them all; a
// request made while the window is hidden is painted when it is shown again, and requests go
// on being painted after that.
TEST_F(Form, PendingRepaintRequestsMakeOnePaintAndAHiddenWindowCatchesUp) {
  form->Show();
  Settle();
  const int paints = form->Plot->PaintCount();
  ASSERT_GT(paints, 0);
  const QPoint plot(214, 15);
  for (int x = 20; x < 220; x += 4) form->Plot->AddDot(x, 40);  // 50 requests
  Settle();
  EXPECT_EQ(form->Plot->PaintCount(), paints + 1);
  QWidget* window = TWidgetPeer::Of(*form)->Widget();
  const QImage shown = window->grab().toImage();
  EXPECT_EQ(shown.pixel(plot + QPoint(20, 40)), Rgb(clRed));
  EXPECT_EQ(shown.pixel(plot + QPoint(216, 40)), Rgb(clRed));

  form->Hide();
  Settle();
  form->Plot->SetDotColor(clBlue);
  Settle();
  const int hidden = form->Plot->PaintCount();
  form->Show();
  Settle();
  EXPECT_GT(form->Plot->PaintCount(), hidden);
  EXPECT_EQ(window->grab().toImage().pixel(plot + QPoint(20, 40)), Rgb(clBlue));

  const int again = form->Plot->PaintCount();
  form->Plot->AddDot(100, 100);
  Settle();
  EXPECT_EQ(form->Plot->PaintCount(), again + 1);
}

// Update paints a pending request at once, and only once: the event loop then has nothing left
// to paint. With nothing requested it paints nothing of the control.
TEST_F(Form, UpdatePaintsAPendingRequestAtOnce) {
  form->Show();
  Settle();
  const int paints = form->Plot->PaintCount();
  ASSERT_GT(paints, 0);
  const QPoint plot(214, 15);
  QWidget* window = TWidgetPeer::Of(*form)->Widget();
  form->Plot->AddDot(60, 50);
  form->Plot->AddDot(64, 50);
  form->Plot->Update();
  EXPECT_EQ(form->Plot->PaintCount(), paints + 1);
  EXPECT_EQ(window->grab().toImage().pixel(plot + QPoint(64, 50)), Rgb(clRed));
  Settle();
  EXPECT_EQ(form->Plot->PaintCount(), paints + 1);
  form->Plot->Update();
  Settle();
  EXPECT_EQ(form->Plot->PaintCount(), paints + 1);
  // Requests after it are painted by the event loop as before.
  form->Plot->AddDot(100, 100);
  Settle();
  EXPECT_EQ(form->Plot->PaintCount(), paints + 2);
}

}  // namespace
