#include "platform/headless_host.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tessarin::platform {
namespace {

TEST(HeadlessHost, MessagesAreLabelledOnceAndEndWithANewline) {
  std::ostringstream out;
  HeadlessHost headless(out);
  Host& host = headless;
  host.ShowMessage("File \"x\" could not be opened for reading.", MessageIcon::Error);
  host.ShowMessage("Warning: Error while reading parameter set No. 2.", MessageIcon::Error);
  host.ShowMessage("Done\n", MessageIcon::Information);
  EXPECT_EQ(out.str(),
            "error: File \"x\" could not be opened for reading.\n"
            "Warning: Error while reading parameter set No. 2.\n"
            "Done\n");
}

TEST(HeadlessHost, QuestionsTakeTheDefaultUnlessAnOfferedAnswerIsSet) {
  std::ostringstream out;
  HeadlessHost headless(out);
  Host& host = headless;
  EXPECT_EQ(host.ShowMessage("Delete?", MessageIcon::Warning, MessageButtons::YesNoCancel, MessageAnswer::No),
            MessageAnswer::No);
  headless.SetAnswerToQuestions(MessageAnswer::Yes);
  EXPECT_EQ(host.ShowMessage("Delete?", MessageIcon::Warning, MessageButtons::YesNoCancel, MessageAnswer::No),
            MessageAnswer::Yes);
  // An answer that is not one of the buttons falls back to the default.
  EXPECT_EQ(host.ShowMessage("Proceed?", MessageIcon::Question, MessageButtons::OkCancel, MessageAnswer::Cancel),
            MessageAnswer::Cancel);
}

}  // namespace
}  // namespace tessarin::platform
