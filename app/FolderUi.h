#pragma once

// The window side of loading and saving a folder: the main window's progress
// window shows the steps, the main window is disabled while they run and
// enabled again however they end.

#include "controls/CfProgress.h"
#include "settings/FolderIO.h"

#include <QPointer>
#include <QWidget>

// Gives the main window's progress window the program's look: Tahoma 13
// pixels, grey as the see-through colour, the dish picture, a smooth bar,
// always on top, 500 x 400 at (480, 133).
void SetUpMainProgress(cf::TCfProgress& progress);

// The picture of the progress window: a receiving dish, 91 pixels high, on a
// background of its own transparent colour.
cf::TBitmap ProgressPicture();

// Drives a TCfProgress from the folder drivers, centred over `mainWindow`.
class TProgressWindowSink : public TFolderProgress {
public:
    TProgressWindowSink(cf::TCfProgress& progress, QWidget* mainWindow);
    void Start(const std::string& caption, const std::string& title, const std::vector<std::string>& lines) override;
    void Step(int progress) override;
    void Range(int min, int max) override;
    void Position(int position) override;
    void ServeMessages() override;
    void Finish() override;

private:
    cf::TCfProgress& progress_;
    QPointer<QWidget> main_;
};

// The plain window side for a main window that has nothing to refill yet:
// enabling, repainting and the caption.
class TWidgetFolderWindow : public TFolderWindow {
public:
    explicit TWidgetFolderWindow(QWidget* mainWindow) : main_(mainWindow) {}
    void SetMainEnabled(bool enabled) override;
    void LoadStarting() override;
    void SaveStarting() override;
    void LoadFinished(const std::string& caption) override;
    void SaveFinished(const std::string& caption) override;

private:
    QPointer<QWidget> main_;
};
