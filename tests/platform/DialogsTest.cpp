// Message box rules shared by the back ends: default buttons and replay names.
#include "platform/Dialogs.h"

#include <gtest/gtest.h>

namespace tw::platform {
namespace {

struct DefaultCase {
  MsgButtons buttons;
  std::optional<MsgAnswer> requested;
  MsgAnswer expected;
};

TEST(Dialogs, DefaultAnswerIsTheRequestedButtonWhenTheBoxHasIt) {
  const DefaultCase cases[] = {
      {MsgButtons::Ok, std::nullopt, MsgAnswer::Ok},
      {MsgButtons::OkCancel, std::nullopt, MsgAnswer::Ok},
      {MsgButtons::YesNo, std::nullopt, MsgAnswer::Yes},
      {MsgButtons::YesNo, MsgAnswer::No, MsgAnswer::No},
      {MsgButtons::OkCancel, MsgAnswer::Cancel, MsgAnswer::Cancel},
      // A default the box does not have cannot be pressed.
      {MsgButtons::Ok, MsgAnswer::No, MsgAnswer::Ok},
      {MsgButtons::YesNo, MsgAnswer::Cancel, MsgAnswer::Yes},
  };
  for (const auto& c : cases) {
    MessageBoxRequest r;
    r.buttons = c.buttons;
    r.defaultButton = c.requested;
    EXPECT_EQ(DefaultAnswer(r), c.expected)
        << "buttons " << static_cast<int>(c.buttons) << " requested "
        << (c.requested ? AnswerName(*c.requested) : "none");
  }
}

TEST(Dialogs, AnswersFitOnlyTheirButtonSets) {
  EXPECT_TRUE(AnswerFitsButtons(MsgAnswer::Ok, MsgButtons::Ok));
  EXPECT_FALSE(AnswerFitsButtons(MsgAnswer::Cancel, MsgButtons::Ok));
  EXPECT_TRUE(AnswerFitsButtons(MsgAnswer::Cancel, MsgButtons::OkCancel));
  EXPECT_FALSE(AnswerFitsButtons(MsgAnswer::Yes, MsgButtons::OkCancel));
  EXPECT_TRUE(AnswerFitsButtons(MsgAnswer::No, MsgButtons::YesNo));
  EXPECT_FALSE(AnswerFitsButtons(MsgAnswer::Ok, MsgButtons::YesNo));
}

TEST(Dialogs, AnswerNamesRoundTripAndAcceptReplaySpelling) {
  for (MsgAnswer a : {MsgAnswer::Ok, MsgAnswer::Cancel, MsgAnswer::Yes, MsgAnswer::No}) {
    EXPECT_EQ(AnswerFromName(AnswerName(a)), a);
  }
  EXPECT_EQ(AnswerFromName("  YES "), MsgAnswer::Yes);
  EXPECT_EQ(AnswerFromName("No"), MsgAnswer::No);
  EXPECT_FALSE(AnswerFromName("y es").has_value());
  EXPECT_FALSE(AnswerFromName("").has_value());
  EXPECT_FALSE(AnswerFromName("retry").has_value());
  EXPECT_STREQ(IconName(MsgIcon::Question), "question");
  EXPECT_STREQ(IconName(MsgIcon::None), "none");
}

}  // namespace
}  // namespace tw::platform
