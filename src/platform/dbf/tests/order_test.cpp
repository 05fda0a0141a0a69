#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <random>

#include "platform/dbf/order_index.h"
#include "platform/dbf/table.h"
#include "platform/dbf/tests/temp_dir.h"

namespace zur::dbf {
namespace {

using testing::TempDir;

TEST(OrderIndex, StaysSortedThroughInsertsAndErasesAcrossBlocks) {
  // Many duplicate keys and enough entries to split blocks repeatedly.
  OrderIndex idx(3);
  std::vector<char> keys;
  std::multimap<std::pair<std::string, uint32_t>, int> model;
  std::mt19937 rng(7);
  const uint32_t n = 3000;
  for (uint32_t r = 1; r <= n; ++r) {
    std::string k = std::to_string(100 + rng() % 50);
    keys.insert(keys.end(), k.begin(), k.end());
    model.insert({{k, r}, 0});
  }
  idx.Build(keys, n);
  for (uint32_t r = n + 1; r <= n + 5000; ++r) {
    std::string k = std::to_string(100 + rng() % 80);
    idx.Insert(k, r);
    model.insert({{k, r}, 0});
    if (r % 3 == 0) {
      auto it = std::next(model.begin(), static_cast<long>(rng() % model.size()));
      ASSERT_TRUE(idx.Erase(it->first.first, it->first.second));
      model.erase(it);
    }
  }
  EXPECT_FALSE(idx.Erase("999", 1));
  ASSERT_EQ(idx.size(), model.size());
  std::string key;
  uint32_t r = idx.First(key);
  for (const auto& [entry, unused] : model) {
    ASSERT_EQ(r, entry.second);
    ASSERT_EQ(key, entry.first);
    r = idx.After(key, r, key);
  }
  EXPECT_EQ(r, 0u);
  // Backwards from the end.
  r = idx.Last(key);
  for (auto it = model.rbegin(); it != model.rend(); ++it) {
    ASSERT_EQ(r, it->first.second);
    r = idx.Before(key, r, key);
  }
  EXPECT_EQ(r, 0u);
  // Lower bound of a prefix: the first entry of "15x".
  r = idx.LowerBound("15", key);
  EXPECT_EQ(key, model.lower_bound({"15", 0})->first.first);
  EXPECT_EQ(idx.LowerBound("99", key), 0u);
}

class Orders : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = dir_ / "MGNUNSTL.DBF";
    Table::Create(
        path_,
        {{"MACCT", 'C', 6, 0}, {"MSTKNO", 'C', 5, 0}, {"MQTY", 'N', 10, 0}, {"MDATE", 'D', 8, 0}});
    t_ = Table::Open(path_, Share::kExclusive);
    // acct, stock, qty
    const std::vector<std::tuple<std::string, std::string, double>> rows = {{"B01", "5", 300},
                                                                            {"A02", "700", -20},
                                                                            {"A01", "11", 50},
                                                                            {"B01", "1", 0},
                                                                            {"A01", "5", 1e6}};
    int day = 1;
    for (const auto& [acct, stk, qty] : rows) {
      t_->Append();
      t_->Replace("MACCT", Value(acct));
      t_->Replace("MSTKNO", Value(stk));
      t_->Replace("MQTY", Value(qty));
      t_->Replace("MDATE", Value(*Date::FromYmd(2026, 12, 10 - day++)));
    }
    // A stand-in for the program's stock key: the number right-aligned in 5 characters.
    functions_.Register("STRVAL3", [](std::span<Value> args, expr::Context&, std::string& error) {
      if (args.size() != 1 || !args[0].IsChar()) {
        error = "STRVAL3 needs a text";
        return Value();
      }
      std::string s = args[0].str();
      s.erase(s.find_last_not_of(' ') + 1);
      s.erase(0,
              s.find_first_not_of(' ') == std::string::npos ? s.size() : s.find_first_not_of(' '));
      return Value(std::string(s.size() < 5 ? 5 - s.size() : 0, ' ') + s);
    });
    t_->SetEnvironment({&functions_, nullptr, nullptr});
  }

  // The MACCT + MSTKNO of every visible record in the current order.
  std::vector<std::string> Walk() {
    std::vector<std::string> out;
    for (t_->GoTop(); !t_->Eof(); t_->Skip()) out.push_back(Key());
    return out;
  }
  std::string Key() {
    std::string a = t_->Get("MACCT").str(), s = t_->Get("MSTKNO").str();
    return a.substr(0, a.find(' ')) + "/" + s.substr(0, s.find(' '));
  }

  TempDir dir_;
  std::filesystem::path path_;
  std::unique_ptr<Table> t_;
  expr::FunctionTable functions_;
};

TEST_F(Orders, CharacterNumericAndDateKeysOrderByValue) {
  std::vector<std::pair<uint64_t, uint64_t>> progress;
  t_->CreateOrder("MGNUNSTL", "MACCT+STRVAL3(MSTKNO)", [&](uint64_t done, uint64_t total) {
    progress.push_back({done, total});
  });
  EXPECT_EQ(Walk(), (std::vector<std::string>{"A01/5", "A01/11", "A02/700", "B01/1", "B01/5"}));
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress.back(), std::make_pair(uint64_t{5}, uint64_t{5}));

  t_->CreateOrder("QTY", "MQTY");
  EXPECT_EQ(Walk(), (std::vector<std::string>{"A02/700", "B01/1", "A01/11", "B01/5", "A01/5"}));
  t_->CreateOrder("DATE", "MDATE");
  EXPECT_EQ(Walk(), (std::vector<std::string>{"A01/5", "B01/1", "A01/11", "A02/700", "B01/5"}));
  EXPECT_EQ(t_->OrderCount(), 3);

  // Backwards in key order, with BOF at the top.
  ASSERT_TRUE(t_->SetOrder("mgnunstl"));
  t_->GoBottom();
  EXPECT_EQ(Key(), "B01/5");
  t_->Skip(-4);
  EXPECT_EQ(Key(), "A01/5");
  t_->Skip(-1);
  EXPECT_TRUE(t_->Bof());
  EXPECT_EQ(Key(), "A01/5");
  t_->SetOrder(0);
  EXPECT_EQ(Walk().front(), "B01/5");  // record order again
}

TEST_F(Orders, SeekExactPartialAndSoft) {
  t_->CreateOrder("K", "MACCT+STRVAL3(MSTKNO)");
  EXPECT_TRUE(t_->Seek(Value("A01       5")));
  EXPECT_EQ(Key(), "A01/5");
  EXPECT_TRUE(t_->Found());
  EXPECT_TRUE(t_->Seek(Value("A02")));  // a shorter key matches the first key it begins
  EXPECT_EQ(Key(), "A02/700");
  EXPECT_FALSE(t_->Seek(Value("A03")));
  EXPECT_TRUE(t_->Eof());
  EXPECT_FALSE(t_->Seek(Value("A03"), /*soft=*/true));
  EXPECT_FALSE(t_->Eof());
  EXPECT_EQ(Key(), "B01/1");
  EXPECT_FALSE(t_->Seek(Value("C"), true));
  EXPECT_TRUE(t_->Eof());
  EXPECT_FALSE(t_->Seek(Value("A01       5 and more than the key holds")));

  t_->CreateOrder("Q", "MQTY");
  EXPECT_TRUE(t_->Seek(Value(-20.0)));
  EXPECT_EQ(Key(), "A02/700");
  EXPECT_FALSE(t_->Seek(Value(51.0), true));
  EXPECT_EQ(Key(), "B01/5");
  t_->SetOrder(0);
  EXPECT_THROW(t_->Seek(Value(1.0)), Error);
}

TEST_F(Orders, KeysFollowReplacesAndAppendsDuringAWalk) {
  t_->CreateOrder("K", "MACCT+STRVAL3(MSTKNO)");
  // Walk in key order; at each A01 record of a stock below 1000 append a record that sorts
  // later among the A01s and one that sorts at the end. The walk must meet them in key order.
  std::vector<std::string> seen;
  for (t_->GoTop(); !t_->Eof(); t_->Skip()) {
    seen.push_back(Key());
    const std::string acct = t_->Get("MACCT").str();
    const int stk = std::stoi(t_->Get("MSTKNO").str());
    if (acct.rfind("A01", 0) != 0 || stk >= 1000) continue;
    const uint32_t here = t_->RecNo();
    t_->Append();
    t_->Replace("MACCT", Value("A01"));
    t_->Replace("MSTKNO", Value(std::to_string(stk + 1000)));
    t_->Append();
    t_->Replace("MACCT", Value("C01"));
    t_->Replace("MSTKNO", Value(std::to_string(stk)));
    t_->GoTo(here);
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"A01/5", "A01/11", "A01/1005", "A01/1011", "A02/700",
                                            "B01/1", "B01/5", "C01/5", "C01/11"}));
  EXPECT_EQ(t_->RecCount(), 9u);

  // Replacing a key field moves the record; the other orders follow too.
  t_->CreateOrder("Q", "MQTY");
  t_->SetOrder("K");
  ASSERT_TRUE(t_->Seek(Value("B01")));
  t_->Replace("MACCT", Value("A00"));
  t_->Skip();
  EXPECT_EQ(Key(), "A01/5");
  t_->SetOrder("Q");
  t_->GoTop();
  EXPECT_EQ(Key(), "A02/700");
}

// An order follows every change of what its key reads, however the key names it, and only
// such changes move it: after a series of changes each order walks as one made afresh.
TEST_F(Orders, EachOrderFollowsTheChangesOfWhatItsKeyReads) {
  const std::vector<std::string> keys = {"MACCT+STRVAL3(MSTKNO)", "mgnunstl->macct",
                                         "IIF(DELETED(), 'Z', 'A') + MACCT", "STR(MQTY)",
                                         "DTOS(MDATE)"};
  for (const std::string& key : keys) t_->CreateOrder(key, key);
  auto walk = [&](const std::string& order) {
    EXPECT_TRUE(t_->SetOrder(order));
    std::vector<uint32_t> out;
    for (t_->GoTop(); !t_->Eof(); t_->Skip()) out.push_back(t_->RecNo());
    return out;
  };
  const std::vector<std::function<void()>> changes = {[&] { t_->Replace("MACCT", Value("C00")); },
                                                      [&] { t_->Replace("MQTY", Value(7.0)); },
                                                      [&] { t_->Delete(); },
                                                      [&] { t_->Replace("MSTKNO", Value("2")); },
                                                      [&] { t_->Replace("MDATE", Value(Date())); },
                                                      [&] { t_->Recall(); }};
  for (size_t i = 0; i < changes.size(); ++i) {
    t_->GoTo(static_cast<uint32_t>(1 + i % 5));
    changes[i]();
  }
  for (const std::string& key : keys) {
    SCOPED_TRACE(key);
    const std::vector<uint32_t> kept = walk(key);
    t_->CreateOrder("FRESH", key);
    EXPECT_EQ(kept, walk("FRESH"));
  }
}

TEST_F(Orders, FilterIsHonouredBySkipTopBottomAndSeek) {
  t_->CreateOrder("K", "MACCT+STRVAL3(MSTKNO)");
  t_->SetFilter("MQTY > 0");
  EXPECT_EQ(Walk(), (std::vector<std::string>{"A01/5", "A01/11", "B01/5"}));
  t_->GoBottom();
  EXPECT_EQ(Key(), "B01/5");
  t_->Skip(-1);
  EXPECT_EQ(Key(), "A01/11");
  EXPECT_FALSE(t_->Seek(Value("A02")));  // A02 has a negative quantity
  EXPECT_FALSE(t_->Seek(Value("B01       1")));
  EXPECT_TRUE(t_->Seek(Value("B01")));
  EXPECT_EQ(Key(), "B01/5");
  t_->SetOrder(0);
  EXPECT_EQ(Walk(), (std::vector<std::string>{"B01/5", "A01/11", "A01/5"}));
  t_->SetFilter("MQTY > 1000000000");
  t_->GoTop();
  EXPECT_TRUE(t_->Eof());
  t_->SetFilter("");
  EXPECT_EQ(Walk().size(), 5u);
  EXPECT_THROW(t_->SetFilter("MQTY >"), Error);
  t_->SetFilter("MQTY + MACCT");  // a type error shows when evaluated
  EXPECT_THROW(t_->GoTop(), Error);
}

TEST_F(Orders, LocateFindsTheFirstMatchInOrderPastTheFilter) {
  EXPECT_TRUE(t_->Locate("MACCT = \"A01\""));
  EXPECT_EQ(Key(), "A01/11");  // record order: record 3 before record 5
  t_->CreateOrder("Q", "MQTY");
  t_->SetFilter("MQTY < 1000");
  EXPECT_FALSE(t_->Locate("MQTY > 100000"));  // only A01/5 has it, and the filter hides it
  EXPECT_TRUE(t_->Eof());
  EXPECT_TRUE(t_->Locate("MACCT = \"B\""));
  EXPECT_EQ(Key(), "B01/1");
  EXPECT_THROW(t_->Locate("MACCT ="), Error);
}

TEST_F(Orders, BadKeyExpressionsAreErrors) {
  EXPECT_THROW(t_->CreateOrder("X", "MACCT+"), Error);
  EXPECT_THROW(t_->CreateOrder("X", "NOSUCH"), Error);
  EXPECT_EQ(t_->OrderCount(), 0);
}

}  // namespace
}  // namespace zur::dbf
