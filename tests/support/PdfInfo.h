#pragma once
// What an independent reader (pdfinfo of poppler-utils) finds in a PDF
// file: the page count and the size of the first page in points.

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "platform/System.h"

struct TPdfInfo {
    bool Read = false;  // false when the tool is missing or refused the file
    Integer Pages = 0;
    Double WidthPt = 0;
    Double HeightPt = 0;
};

inline bool PdfInfoAvailable() { return std::system("command -v pdfinfo >/dev/null 2>&1") == 0; }

inline TPdfInfo ReadPdfInfo(const String& FileName)
{
    TPdfInfo info;
    const String command = "pdfinfo '" + FileName + "' 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return info;
    std::string text;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe)) text += buffer;
    info.Read = ::pclose(pipe) == 0;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("Pages:", 0) == 0) info.Pages = std::stoi(line.substr(6));
        if (line.rfind("Page size:", 0) == 0) {
            std::istringstream size(line.substr(10));
            std::string times;
            size >> info.WidthPt >> times >> info.HeightPt;
        }
    }
    return info;
}
