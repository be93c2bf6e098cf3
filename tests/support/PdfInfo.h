#pragma once
// What an independent reader (pdfinfo of poppler-utils) finds in a PDF
// file: the page count and the size of the first page in points.

#include <sstream>
#include <string>

#include "support/ToolOutput.h"

struct TPdfInfo {
    bool Read = false;  // false when the tool is missing or refused the file
    Integer Pages = 0;
    Double WidthPt = 0;
    Double HeightPt = 0;
};

inline bool PdfInfoAvailable() { return ToolAvailable("pdfinfo"); }

inline TPdfInfo ReadPdfInfo(const String& FileName)
{
    TPdfInfo info;
    std::istringstream lines(ToolOutput("pdfinfo '" + FileName + "'", info.Read));
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
