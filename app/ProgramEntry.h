#pragma once
// The program entry: the application object, the main window and the
// message loop.

#include <exception>

// Initialises the application, creates the main window into Form1 and runs
// the message loop until the window closes. An exception that escapes is
// shown with its own text. Always returns 0.
int WinMain();

// Shows Error through the application's exception box: the message of a
// class library exception, the text of any other standard exception, and a
// fixed text when there is none.
void ShowEscapedException(std::exception_ptr Error);
