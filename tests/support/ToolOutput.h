#pragma once
// Runs an ordinary command-line tool and gives what it printed, so that a
// test can check a file with an independent reader.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/System.h"

// True when the tool is on the PATH.
inline bool ToolAvailable(const String& Tool)
{
    return std::system(("command -v '" + Tool + "' >/dev/null 2>&1").c_str()) == 0;
}

// The standard output of Command; Ok tells whether it exited with 0.
inline String ToolOutput(const String& Command, bool& Ok)
{
    String text;
    FILE* pipe = ::popen((Command + " 2>/dev/null").c_str(), "r");
    if (!pipe) {
        Ok = false;
        return text;
    }
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
    Ok = ::pclose(pipe) == 0;
    return text;
}
