#pragma once
#include <QElapsedTimer>
#include <functional>

#include "core/Services.h"

class QWidget;

// Modal message boxes with the program's captions and German buttons.
class QtMessages : public Messages {
public:
    explicit QtMessages(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    void show(Sprache::Titel titel, const std::string& text) override;
    Antwort ask(Sprache::Titel titel, const std::string& text, bool withCancel) override;

private:
    QWidget* parent_;
};

// Pending events are processed at most every 30 ms, so calling the pump after
// every row costs nothing; the busy cursor is an override cursor kept balanced.
class QtEvents : public Events {
public:
    QtEvents() { timer_.start(); }
    ~QtEvents() override;
    void processEvents(const AppState& state) override;
    void setBusyCursor(bool busy) override;

private:
    QElapsedTimer timer_;
    bool busyCursor_ = false;
};

// Forwards the engine's preview requests to the window.
class QtDisplay : public PreviewDisplay {
public:
    std::function<void()> onClear;
    std::function<void()> onShow;
    void clearPreview() override
    {
        if (onClear)
            onClear();
    }
    void showPreview() override
    {
        if (onShow)
            onShow();
    }
};
