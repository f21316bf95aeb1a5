// Where a report's lines go: a result area of the report window, standard
// output of brackle-cli, or a vector in a test. A report writes its lines in
// order; whoever runs it clears the area first.
#pragma once

#include <string>
#include <vector>

#include "oob/records.h"

namespace brackle {

class ReportSink {
public:
    virtual ~ReportSink() = default;
    // Adds one line to the result area (an empty text is an empty line).
    virtual void Line(const std::string& text) = 0;
    // Sets the status line (progress); the default ignores it.
    virtual void Status(const std::string& text) { (void)text; }
};

// Collects the lines, and the status texts, in vectors.
class LinesSink : public ReportSink {
public:
    void Line(const std::string& text) override { lines.push_back(text); }
    void Status(const std::string& text) override { statuses.push_back(text); }
    std::vector<std::string> lines;
    std::vector<std::string> statuses;
};

// How a check that reads dates ended. A named record whose year index and month
// form no calendar date stops the check: the lines written so far stay, and
// Message names the record, the field and the value.
struct ReportEnd {
    bool Stopped = false;
    std::string Message;
};

}  // namespace brackle
