#pragma once
#include <chrono>
#include <cstdio>
#include <map>
#include <variant>

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

// Settings kept in memory while the object lives: the store of tests, and of a
// window that was given none.
class MemorySettingsStore : public SettingsStore {
public:
    // Open to tests, which plant values of any type.
    std::map<std::string, std::variant<int32_t, std::string>> values;

    bool exists() const override { return !values.empty(); }
    std::optional<int32_t> readInt(const std::string& name) const override;
    std::optional<std::string> readString(const std::string& name) const override;
    void writeInt(const std::string& name, int32_t value) override { values[name] = value; }
    void writeString(const std::string& name, const std::string& value) override { values[name] = value; }
    void remove() override { values.clear(); }
    bool flush() override { return true; }
};
