#pragma once

// Recording stand-ins for the progress window, the message dialogs and the
// main window, so a headless load or save can be checked call by call.

#include "settings/FolderIO.h"

#include <functional>
#include <string>
#include <vector>

namespace cftest {

// One shared log keeps the order across the three interfaces.
struct TCallLog {
    std::vector<std::string> calls;
    void Add(const std::string& s) { calls.push_back(s); }
    // The entries that begin with `prefix`, in order.
    std::vector<std::string> Only(const std::string& prefix) const
    {
        std::vector<std::string> r;
        for (const auto& c : calls)
            if (c.rfind(prefix, 0) == 0)
                r.push_back(c);
        return r;
    }
};

class TRecordingProgress : public TFolderProgress {
public:
    explicit TRecordingProgress(TCallLog& log) : log_(log) {}
    std::string caption, title;
    std::vector<std::string> lines;
    int positions = 0;
    bool visible = false;
    // Called at each step; tests make it throw to break a run part-way.
    std::function<void(int)> onStep;

    void Start(const std::string& c, const std::string& t, const std::vector<std::string>& l) override
    {
        caption = c;
        title = t;
        lines = l;
        visible = true;
        log_.Add("progress:start");
    }
    void Step(int n) override
    {
        log_.Add("progress:step " + std::to_string(n));
        if (onStep)
            onStep(n);
    }
    void Range(int, int) override {}
    void Position(int) override { ++positions; }
    void ServeMessages() override { log_.Add("progress:serve"); }
    void Finish() override
    {
        visible = false;
        log_.Add("progress:finish");
    }

private:
    TCallLog& log_;
};

class TRecordingDialogs : public TFolderDialogs {
public:
    explicit TRecordingDialogs(TCallLog& log) : log_(log) {}
    std::vector<std::string> errors, questions;
    bool answer = false; // what Confirm answers
    void Error(const std::string& text) override
    {
        errors.push_back(text);
        log_.Add("dialog:error");
    }
    bool Confirm(const std::string& text) override
    {
        questions.push_back(text);
        log_.Add("dialog:confirm");
        return answer;
    }

private:
    TCallLog& log_;
};

class TRecordingWindow : public TFolderWindow {
public:
    explicit TRecordingWindow(TCallLog& log) : log_(log) {}
    bool enabled = true;
    std::string caption;
    void SetMainEnabled(bool e) override
    {
        enabled = e;
        log_.Add(e ? "window:enable" : "window:disable");
    }
    void LoadStarting() override { log_.Add("window:load-starting"); }
    void FillSat() override { log_.Add("window:fillsat"); }
    void FillLists() override { log_.Add("window:filllists"); }
    void LoadFinished(const std::string& c) override
    {
        caption = c;
        log_.Add("window:load-finished");
    }
    void LoadFailed() override { log_.Add("window:load-failed"); }
    void SaveStarting() override { log_.Add("window:save-starting"); }
    void SaveFinished(const std::string& c) override
    {
        caption = c;
        log_.Add("window:save-finished");
    }

private:
    TCallLog& log_;
};

// All three, attached for the life of the object.
struct TRecordingUi {
    TCallLog log;
    TRecordingProgress progress{log};
    TRecordingDialogs dialogs{log};
    TRecordingWindow window{log};
    TRecordingUi() { SetFolderUi({&progress, &dialogs, &window}); }
    ~TRecordingUi() { SetFolderUi({}); }
};

} // namespace cftest
