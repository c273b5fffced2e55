// A progress bar on standard error, drawn only when standard error is a terminal.
#pragma once

namespace orv::render {

class ProgressBar {
public:
    ProgressBar();  // decides from the terminal
    ~ProgressBar();  // ends the bar's line
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    // fraction within 0..1; redraws only when the shown percentage changes.
    void update(double fraction);

private:
    bool enabled_;
    int shown_ = -1;
};

}  // namespace orv::render
