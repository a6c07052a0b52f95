// The blocked per-point storage against a plain vector, through random edits that cross block
// boundaries.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "chart/IndexedStore.h"

using tee::TIndexedStore;

namespace {

template <class T>
std::vector<T> Contents(const TIndexedStore<T>& store) {
  std::vector<T> out;
  store.ForEach([&](const T& v) { out.push_back(v); });
  return out;
}

// Applies `steps` random edits to the store and the model alike and compares them now and then;
// inserts are favoured while the model is below `big` elements.
void RandomEdits(TIndexedStore<std::string>& store, std::vector<std::string>& model,
                 std::mt19937& random, int steps, std::size_t big) {
  for (int step = 0; step < steps; ++step) {
    const unsigned op = random() % 100;
    const std::string v = std::to_string(step);
    if (op < 40 || model.empty()) {
      store.PushBack(v);
      model.push_back(v);
    } else if (op < 75 && model.size() < 2 * big) {
      const std::size_t i = random() % (model.size() + 1);
      store.Insert(i, v);
      model.insert(model.begin() + static_cast<std::ptrdiff_t>(i), v);
    } else if (op < 95) {
      const std::size_t i = random() % model.size();
      store.Erase(i);
      model.erase(model.begin() + static_cast<std::ptrdiff_t>(i));
    } else if (op < 98) {
      const std::size_t a = random() % model.size(), b = random() % model.size();
      store.Swap(a, b);
      std::swap(model[a], model[b]);
    } else {
      store.RotateFirstToEnd();
      if (model.size() > 1) std::rotate(model.begin(), model.begin() + 1, model.end());
    }
    ASSERT_EQ(store.Size(), model.size());
    if (step % 997 == 0) {
      ASSERT_EQ(Contents(store), model) << "step " << step;
      // Reading forwards, backwards and at random gives the same elements.
      for (std::size_t i = model.size(); i-- > 0;) ASSERT_EQ(store.At(i), model[i]);
      for (int k = 0; k < 200; ++k) {
        const std::size_t i = random() % model.size();
        ASSERT_EQ(store.At(i), model[i]);
      }
    }
  }
}

}  // namespace

TEST(IndexedStore, RandomEditsMatchAVector) {
  std::mt19937 random(7);
  TIndexedStore<std::string> store;
  std::vector<std::string> model;
  const std::size_t big = 3 * TIndexedStore<std::string>::kBlock;
  RandomEdits(store, model, random, 30000, big);
  EXPECT_GT(model.size(), TIndexedStore<std::string>::kBlock);  // several blocks were in play
  EXPECT_EQ(store.Back(), model.back());
  EXPECT_EQ(Contents(store), model);
}

// A cleared store (which keeps its first block's room) is empty and takes edits as a new one
// does, whether it held one block or several.
TEST(IndexedStore, ClearedStoreTakesEditsAsANewOne) {
  std::mt19937 random(11);
  TIndexedStore<std::string> store;
  std::vector<std::string> model;
  const std::size_t kBlock = TIndexedStore<std::string>::kBlock;
  for (const std::size_t big : {std::size_t{40}, 3 * kBlock, std::size_t{5}, 3 * kBlock}) {
    RandomEdits(store, model, random, big > kBlock ? 20000 : 300, big);
    ASSERT_EQ(Contents(store), model);
    store.Clear();
    model.clear();
    ASSERT_EQ(store.Size(), 0u);
    ASSERT_TRUE(store.Empty());
    ASSERT_TRUE(Contents(store).empty());
    // The first insert after a clear goes to the front, and reads find it.
    store.Insert(0, "first");
    store.Insert(0, "zero");
    model = {"zero", "first"};
    ASSERT_EQ(Contents(store), model);
    ASSERT_EQ(store.At(1), "first");
    ASSERT_EQ(store.Back(), "first");
  }
  store.Clear();
  store.Resize(3);
  EXPECT_EQ(Contents(store), (std::vector<std::string>{"", "", ""}));
}
