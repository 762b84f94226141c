// A failure that escapes an event handler ends that event only: the program
// reports it in a message box and the window stays usable.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <stdexcept>

#include "platform/scripted_host.h"
#include "support/test_files.h"
#include "ui/controller_fixture.h"
#include "ui/qt/desktop_application.h"
#include "ui/qt/guarded_application.h"

namespace tessarin::ui::qt {
namespace {

constexpr QEvent::Type kFailingEvent = QEvent::User;

class FailingObject final : public QObject {
 public:
  bool event(QEvent* event) override {
    if (event->type() == kFailingEvent) throw std::runtime_error("handler out of order");
    return QObject::event(event);
  }
};

TEST(UnexpectedFailure, SentAndPostedEventsReachTheHandler) {
  GuardedApplication* application = GuardedApplication::Instance();
  ASSERT_NE(application, nullptr);
  std::vector<std::string> reported;
  application->SetFailureHandler([&reported](std::string_view what) { reported.emplace_back(what); });
  FailingObject object;
  QEvent sent(kFailingEvent);
  EXPECT_FALSE(QCoreApplication::sendEvent(&object, &sent));
  QCoreApplication::postEvent(&object, new QEvent(kFailingEvent));
  QCoreApplication::processEvents();
  application->SetFailureHandler(nullptr);
  EXPECT_EQ(reported, (std::vector<std::string>{"handler out of order", "handler out of order"}));
}

TEST(UnexpectedFailure, TheWindowReportsItAndIsUsableAgain) {
  tessarin::testing::TempDir folder;
  ControllerEnvironment environment;
  environment.programFolder = folder.path();
  environment.startupDirectory = folder.path();
  auto host = std::make_unique<platform::ScriptedHost>();
  platform::ScriptedHost& scripted = *host;
  auto desktop = std::make_unique<DesktopApplication>(environment, std::move(host),
                                                      std::make_unique<ui::testing::RecordingShell>());
  desktop->controller().Commit(NumberField::ViewSize, "12");
  // As a read disables the window while it runs.
  desktop->window().centralWidget()->setEnabled(false);
  desktop->window().menuBar()->setEnabled(false);

  FailingObject object;
  QEvent failing(kFailingEvent);
  QCoreApplication::sendEvent(&object, &failing);
  ASSERT_EQ(scripted.messages.size(), 1u);
  EXPECT_EQ(scripted.messages[0].text,
            "An unexpected failure stopped the command:\nhandler out of order\n\n"
            "The program goes on with the parameter sets as they are now.");
  EXPECT_EQ(scripted.messages[0].icon, platform::MessageIcon::Error);
  EXPECT_TRUE(desktop->window().centralWidget()->isEnabled());
  EXPECT_TRUE(desktop->window().menuBar()->isEnabled());
  EXPECT_EQ(desktop->controller().WorkingCopy().viewSize, 12);

  // Once the window is gone its handler is too.
  desktop.reset();
  QCoreApplication::sendEvent(&object, &failing);
}

}  // namespace
}  // namespace tessarin::ui::qt
