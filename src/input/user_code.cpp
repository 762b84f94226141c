#include "input/user_code.h"

#include "input/messages.h"

namespace tessarin::input {

std::unique_ptr<UserCodeSession> UnavailableUserCodeEngine::OpenSession(const UserCodeSetup&,
                                                                        std::string& unavailableMessage) {
  unavailableMessage = messages::kUserProgramsUnavailable;
  return nullptr;
}

}  // namespace tessarin::input
