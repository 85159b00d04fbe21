// The loop over the selected units of the File Management window.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/registry/unit_run.h"

namespace trennic {
namespace {

struct Script {
  std::set<std::size_t> cancelAt, failAt;
  bool tickUseSame = false;
};

struct Outcome {
  std::vector<std::string> prompts;  // "row:offered"
  std::vector<std::string> runs;     // "row i/n"
  std::set<std::size_t> selected;
};

Outcome run(std::vector<std::size_t> rows, UnitRunOptions options, Script script) {
  Outcome o;
  o.selected = std::set<std::size_t>(rows.begin(), rows.end());
  UnitRunHooks h;
  h.askPassword = [&](std::size_t row, bool offer, bool& same) {
    o.prompts.push_back(std::to_string(row) + ":" + (offer ? "offered" : "alone"));
    same = script.tickUseSame;
    return !script.cancelAt.count(row);
  };
  h.runUnit = [&](std::size_t row, int i, int n) {
    o.runs.push_back(std::to_string(row) + " " + std::to_string(i) + "/" + std::to_string(n));
    return !script.failAt.count(row);
  };
  h.deselect = [&](std::size_t row) { o.selected.erase(row); };
  runOverSelectedUnits(rows, options, h);
  return o;
}

using Strings = std::vector<std::string>;
using Rows = std::set<std::size_t>;

TEST(UnitRun, EachUnitInTurnWithItsCount) {
  Outcome o = run({0, 2, 5}, {}, {});
  EXPECT_EQ(o.runs, (Strings{"0 1/3", "2 2/3", "5 3/3"}));
  EXPECT_EQ(o.prompts, (Strings{"0:offered", "2:offered", "5:offered"}));
  EXPECT_EQ(o.selected, (Rows{0, 2, 5}));
}

TEST(UnitRun, ARunIntoOneFileTakesTheFirstUnitOnly) {
  UnitRunOptions one;
  one.oneUnitOnly = true;
  Outcome o = run({1, 2, 3}, one, {});
  EXPECT_EQ(o.runs, (Strings{"1 1/1"}));
  EXPECT_EQ(o.prompts, (Strings{"1:alone"}));
  EXPECT_EQ(o.selected, (Rows{1}));
}

TEST(UnitRun, UseSamePasswordAsksOnce) {
  Script s;
  s.tickUseSame = true;
  Outcome o = run({0, 1}, {}, s);
  EXPECT_EQ(o.prompts, (Strings{"0:offered"}));
  EXPECT_EQ(o.runs.size(), 2u);
}

TEST(UnitRun, CancelSkipsThatUnitAndTheNextIsAsked) {
  Script s;
  s.cancelAt = {0};
  Outcome o = run({0, 1, 2}, {}, s);
  EXPECT_EQ(o.prompts, (Strings{"0:offered", "1:offered", "2:offered"}));
  EXPECT_EQ(o.runs, (Strings{"1 1/3", "2 2/3"}));
  EXPECT_EQ(o.selected, (Rows{0, 1, 2}));
}

TEST(UnitRun, AFailureEndsTheRunAndOnlyEarlierUnitsStaySelected) {
  Script s;
  s.failAt = {1};
  Outcome o = run({0, 1, 2}, {}, s);
  EXPECT_EQ(o.runs, (Strings{"0 1/3", "1 2/3"}));
  EXPECT_EQ(o.selected, (Rows{0}));
}

TEST(UnitRun, VersionQueriesAskNoPassword) {
  UnitRunOptions noPassword;
  noPassword.needsPassword = false;
  Outcome o = run({3, 4}, noPassword, {});
  EXPECT_TRUE(o.prompts.empty());
  EXPECT_EQ(o.runs, (Strings{"3 1/2", "4 2/2"}));
}

}  // namespace
}  // namespace trennic
