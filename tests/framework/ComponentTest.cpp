// Components: ownership, names, notifications and loading; persistent assignment; list errors.
#include <gtest/gtest.h>

#include "framework/core/ClassBuilder.h"
#include "framework/core/Component.h"
#include "framework/core/Exceptions.h"

namespace {

// Records what it hears and whether it has been destroyed.
class TWatcher : public fw::TComponent {
 public:
  TWatcher(fw::TComponent* owner, std::vector<std::string>* log)
      : fw::TComponent(owner), log_(log) {}
  ~TWatcher() override {
    if (log_) log_->push_back("destroy " + Name());
  }
  void Notification(fw::TComponent* c, fw::TOperation op) override {
    fw::TComponent::Notification(c, op);
    if (c != this && log_)
      log_->push_back(Name() + (op == fw::opInsert ? " +" : " -") +
                      (c == watched ? "watched" : "other"));
    if (op == fw::opRemove && c == watched) watched = nullptr;
  }
  void Loaded() override {
    fw::TComponent::Loaded();
    if (log_) log_->push_back("loaded " + Name());
  }
  fw::TComponent* watched = nullptr;

 private:
  std::vector<std::string>* log_;
};

}  // namespace

TEST(Component, OwnerReleasesOwnedComponentsLastCreatedFirst) {
  std::vector<std::string> log;
  auto* owner = new TWatcher(nullptr, &log);
  owner->SetName("Owner");
  auto* a = new TWatcher(owner, &log);
  a->SetName("A");
  auto* b = new TWatcher(owner, &log);
  b->SetName("B");
  EXPECT_EQ(owner->ComponentCount(), 2);
  EXPECT_EQ(owner->Components(1), b);
  EXPECT_EQ(b->ComponentIndex(), 1);
  log.clear();
  delete owner;
  std::vector<std::string> destroys;
  for (auto& line : log)
    if (line.rfind("destroy", 0) == 0) destroys.push_back(line);
  EXPECT_EQ(destroys, (std::vector<std::string>{"destroy Owner", "destroy B", "destroy A"}));
}

TEST(Component, DeletingAComponentTakesItOutOfItsOwner) {
  fw::TComponent owner(nullptr);
  auto* a = new fw::TComponent(&owner);
  auto* b = new fw::TComponent(&owner);
  delete a;
  EXPECT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(owner.Components(0), b);
  try {
    owner.Components(1);
    ADD_FAILURE();
  } catch (const fw::EListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (1)");
  }
}

TEST(Component, SiblingsHearOfRemovalAndFreeNotificationCrossesOwners) {
  std::vector<std::string> log;
  fw::TComponent form(nullptr);
  auto* listener = new TWatcher(&form, &log);
  listener->SetName("L");
  auto* target = new fw::TComponent(&form);
  listener->watched = target;
  delete target;
  EXPECT_EQ(listener->watched, nullptr);

  // A component elsewhere: only FreeNotification tells of its end.
  auto* outside = new fw::TComponent(nullptr);
  listener->watched = outside;
  listener->FreeNotification(outside);
  delete outside;
  EXPECT_EQ(listener->watched, nullptr);

  // The link is two-way: the listener going first leaves nothing dangling behind.
  fw::TComponent other(nullptr);
  listener->FreeNotification(&other);
  delete listener;
  EXPECT_EQ(form.ComponentCount(), 0);
}

TEST(Component, NamesAreIdentifiersUniqueWithinTheOwner) {
  fw::TComponent form(nullptr);
  auto* a = new fw::TComponent(&form);
  auto* b = new fw::TComponent(&form);
  a->SetName("Chart1");
  struct Row {
    const char* name;
    const char* message;
  } rows[] = {{"chart1", "A component named chart1 already exists"},
              {"1Chart", "'1Chart' is not a valid component name"},
              {"Chart 2", "'Chart 2' is not a valid component name"}};
  for (const auto& row : rows) {
    try {
      b->SetName(row.name);
      ADD_FAILURE() << row.name;
    } catch (const fw::EComponentError& e) {
      EXPECT_STREQ(e.what(), row.message);
    }
  }
  EXPECT_EQ(b->Name(), "");
  b->SetName("_Series1");
  a->SetName("CHART1");  // renaming itself in another case is fine
  EXPECT_EQ(form.FindComponent("series1"), nullptr);
  EXPECT_EQ(form.FindComponent("_SERIES1"), b);
  EXPECT_EQ(form.FindComponent("chart1"), a);
}

TEST(Component, LoadingEndsWithLoaded) {
  std::vector<std::string> log;
  fw::TComponent form(nullptr);
  TWatcher w(&form, &log);
  w.SetName("W");
  w.BeginLoading();
  EXPECT_TRUE(w.Loading());
  w.Loaded();
  EXPECT_FALSE(w.Loading());
  EXPECT_EQ(log.back(), "loaded W");
  form.RemoveComponent(&w);  // w lives on the stack; it leaves the form before either dies
}

TEST(Persistent, AssignRefusesUnknownSourcesWithBothClassNames) {
  fw::TPersistent p;
  fw::TComponent c(nullptr);
  try {
    p.Assign(&c);
    ADD_FAILURE();
  } catch (const fw::EConvertError& e) {
    EXPECT_STREQ(e.what(), "Cannot assign a TComponent to a TPersistent");
  }
  try {
    c.Assign(nullptr);
    ADD_FAILURE();
  } catch (const fw::EConvertError& e) {
    EXPECT_STREQ(e.what(), "Cannot assign a nil to a TComponent");
  }
}
