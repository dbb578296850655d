#pragma once
#include <chrono>
#include <cstdio>

#include "core/Services.h"

// Messages as "Caption: text" lines on stderr; questions take the answer given
// on the command line (--ja), else No or Cancel.
class HeadlessMessages : public Messages {
public:
    explicit HeadlessMessages(bool answerYes = false) : answerYes_(answerYes) {}
    void show(Sprache::Titel titel, const std::string& text) override;
    Antwort ask(Sprache::Titel titel, const std::string& text, bool withCancel) override;
    // Error or warning messages shown so far: any of them makes a command fail.
    int failures() const { return failures_; }

private:
    bool answerYes_;
    int failures_ = 0;
};

// A progress line on stderr while it is a terminal, at most ten times a second.
class HeadlessEvents : public Events {
public:
    HeadlessEvents();
    ~HeadlessEvents() override;
    void processEvents(const AppState& state) override;
    void setBusyCursor(bool) override {}

private:
    bool terminal_;
    bool lineShown_ = false;
    std::chrono::steady_clock::time_point next_{};
};

class NullDisplay : public PreviewDisplay {
public:
    void clearPreview() override {}
    void showPreview() override {}
};
