#pragma once
// The lines of a property text file as a string list that holds the
// file's text once: each line is a view into it, not a string of its own,
// so that a file of 100 MB costs little more than its size.

#include <deque>
#include <string_view>
#include <vector>

#include "platform/Classes.h"

class TkPlotFileLines : public TStrings {
public:
    // The lines of Text, ended by CR LF, LF or CR, without its blank
    // lines: a blank line in a section, or a file whose CR CR LF line ends
    // read as a blank line after each, must not end the section.
    explicit TkPlotFileLines(String Text);

    Integer Count() const override { return static_cast<Integer>(FLines.size()); }
    // Raise EStringListError outside 0..Count-1 (0..Count for Insert).
    String Strings(Integer Index) const override { return String(Line(Index)); }
    std::string_view Line(Integer Index) const;
    void Insert(Integer Index, const String& S) override;
    void Delete(Integer Index) override;
    void Clear() override;

private:
    String FText;
    // Lines inserted later; a deque keeps them where the views point.
    std::deque<String> FInserted;
    std::vector<std::string_view> FLines;
};
