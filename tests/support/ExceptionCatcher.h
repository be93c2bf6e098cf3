#pragma once
// Records the message of every exception that reaches the application's
// handler while it lives, instead of a message box.

#include <vector>

#include "platform/Forms.h"

class ExceptionCatcher {
public:
    ExceptionCatcher()
    {
        Application->OnException = [this](TObject*, Exception& e) { Messages.push_back(e.Message()); };
    }
    ~ExceptionCatcher() { Application->OnException = nullptr; }
    ExceptionCatcher(const ExceptionCatcher&) = delete;
    ExceptionCatcher& operator=(const ExceptionCatcher&) = delete;

    std::vector<String> Messages;
};
