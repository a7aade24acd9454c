#include "app/FolderUi.h"

#include "platform/Forms.h"

#include <QString>

using namespace cf;

void SetUpMainProgress(TCfProgress& p)
{
    static TCfImageList images = [] {
        TCfImageList list;
        list.Pictures.push_back(ProgressPicture());
        list.DrawTransparent = true;
        return list;
    }();
    p.SetAlphaDelayValue(25);
    p.SetAlwaysOnTop(true);
    p.SetCancelCaption("Cancel");
    p.SetCaption("Work In Progress..");
    p.SetColor(clGrayText);
    TFont font;
    font.Name = "Tahoma";
    font.SetHeight(-13);
    font.Color = clBlack;
    font.Style = 0;
    p.SetFont(font);
    p.SetFormLeft(480);
    p.SetFormTop(133);
    p.SetFormWidth(500);
    p.SetFormHeight(400);
    p.SetImages(&images);
    p.SetImageIndex(0);
    p.SetOffsetX(20);
    p.SetOffsetY(20);
    p.SetOkCaption("Ok");
    p.SetOptions(poFixedImage | poModal);
    p.SetPrompt("Press me");
    p.SetSmooth(true);
}

TBitmap ProgressPicture()
{
    const int w = 91, h = 91;
    const TColor key = clFuchsia;
    TBitmap bmp(w, h, pf24bit);
    TCanvas& c = bmp.Canvas();
    c.FillRect(TRect(0, 0, w, h), key);
    // Mast and foot.
    c.FillRect(TRect(42, 52, 49, 84), clGray);
    c.FillRect(TRect(28, 84, 63, 90), clDkGray);
    // The dish with its rim.
    c.Pen.Color = clBlack;
    c.Brush.Color = clSilver;
    c.Brush.Style = bsSolid;
    c.Ellipse(6, 8, 60, 62);
    c.Pen.Color = clGray;
    c.Brush.Color = clWhite;
    c.Ellipse(12, 12, 52, 52);
    // Arm and LNB.
    c.Pen.Color = clBlack;
    c.Pen.Width = 2;
    c.MoveTo(33, 35);
    c.LineTo(66, 18);
    c.Pen.Width = 1;
    c.Brush.Color = clNavy;
    c.Rectangle(63, 12, 73, 24);
    // Signal arcs.
    c.Pen.Color = clNavy;
    c.MoveTo(76, 10);
    c.LineTo(82, 4);
    c.MoveTo(78, 16);
    c.LineTo(88, 6);
    bmp.Transparent = true;
    bmp.TransparentMode = TTransparentMode::tmFixed;
    bmp.SetTransparentColor(key);
    return bmp;
}

TProgressWindowSink::TProgressWindowSink(TCfProgress& progress, QWidget* mainWindow)
    : progress_(progress), main_(mainWindow)
{
}

void TProgressWindowSink::Start(const std::string& caption, const std::string& title,
                                const std::vector<std::string>& lines)
{
    progress_.SetVisible(true);
    progress_.BringToFront();
    progress_.SetCaption(caption);
    if (main_) {
        const QRect g = main_->frameGeometry();
        progress_.SetFormLeft(g.left() + g.width() / 2 - progress_.FormWidth() / 2);
        progress_.SetFormTop(g.top() + g.height() / 2 - progress_.FormHeight() / 2);
    }
    progress_.SetFormHeight(400);
    progress_.SetTitle(title);
    progress_.SetLines(lines);
    ProcessMessages(); // let the window appear before the first long step
}

void TProgressWindowSink::Step(int progress)
{
    progress_.SetProgress(static_cast<std::uint16_t>(progress));
}

void TProgressWindowSink::Range(int min, int max)
{
    progress_.SetMin(min);
    progress_.SetMax(max);
    progress_.SetPosition(min);
}

void TProgressWindowSink::Position(int position) { progress_.SetPosition(position); }

void TProgressWindowSink::ServeMessages() { ProcessMessages(); }

void TProgressWindowSink::Finish()
{
    progress_.SendToBack();
    progress_.SetVisible(false);
}

void TWidgetFolderWindow::SetMainEnabled(bool enabled)
{
    if (main_)
        main_->setEnabled(enabled);
}

void TWidgetFolderWindow::LoadStarting()
{
    if (main_)
        main_->repaint();
}

void TWidgetFolderWindow::SaveStarting()
{
    if (main_)
        main_->repaint();
}

void TWidgetFolderWindow::LoadFinished(const std::string& caption)
{
    if (main_)
        main_->setWindowTitle(QString::fromStdString(caption));
}

void TWidgetFolderWindow::SaveFinished(const std::string& caption)
{
    if (main_)
        main_->setWindowTitle(QString::fromStdString(caption));
}
