#include "app/StartupPassword.h"

#include "model/Password.h"

bool CheckStartupPassword(const std::string& startupFile, FixedText<20>& password, Prompt& prompt,
                          const std::function<bool()>& askPassword) {
    switch (ReadFilePassword(startupFile, password, prompt)) {
        case PasswordRead::Malformed:
            prompt.Tell(kPasswordErrorMessage, PromptIcon::Exclamation);
            return false;
        case PasswordRead::KeyMissing:  // the key message has been shown
            return false;
        case PasswordRead::NoFile:
            return true;
        case PasswordRead::Password:
            break;
    }
    return password.Empty() || askPassword();
}
