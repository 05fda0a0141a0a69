#include <gtest/gtest.h>

#include "run/operator/operator.h"

namespace zur::run {
namespace {

TEST(RecordingOperator, AnswersFromTheScriptThenTheDefault) {
  RecordingOperator op;
  op.answers = {false, true};
  op.default_answer = false;
  EXPECT_FALSE(op.YesNo("ZUR", "first"));
  EXPECT_TRUE(op.YesNo("ZUR", "second"));
  EXPECT_FALSE(op.YesNo("ZUR", "third"));
  op.MessageBox("OBX", "ERROR: CANNOT OPEN FILE X");
  op.BlinkingWarning("WARNING: something");
  EXPECT_EQ(op.Matching("ask ZUR:").size(), 3u);
  EXPECT_EQ(op.Matching("box OBX:"),
            (std::vector<std::string>{"box OBX: ERROR: CANNOT OPEN FILE X"}));
  EXPECT_EQ(op.events.back(), "warn: WARNING: something");
}

TEST(BatchOperator, AnswersTheAlertWithContinue) {
  BatchOperator yes;
  BatchOperator no(false, false);
  testing::internal::CaptureStderr();
  EXPECT_TRUE(yes.YesNo("ZUR", "ERROR: 600000 not found"));
  EXPECT_FALSE(no.YesNo("ZUR", "question"));
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("ZUR: ERROR: 600000 not found -> Yes"), std::string::npos);
}

}  // namespace
}  // namespace zur::run
