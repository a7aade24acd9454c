#include "app/PasteWindow.h"

#include "platform/Forms.h"
#include "settings/FolderIO.h"

#include <chrono>

namespace {

std::uint64_t NowMs()
{
    using namespace std::chrono;
    return static_cast<std::uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

// The window gets a repaint at most this often while a paste runs.
constexpr std::uint64_t RepaintMs = 30;

} // namespace

TPasteWindow::TPasteWindow(cf::TCfProgress& progress, QWidget* mainWindow, std::string caption, std::string line)
    : progress_(progress), main_(mainWindow), caption_(std::move(caption)), line_(std::move(line))
{
}

TPasteWindow::~TPasteWindow()
{
    if (!shown_)
        return;
    progress_.SendToBack();
    progress_.SetVisible(false);
}

void TPasteWindow::Show(std::size_t count)
{
    progress_.SetVisible(true);
    progress_.BringToFront();
    progress_.SetCaption(caption_);
    shown_ = true;
    progress_.SetFormHeight(200);
    if (main_) {
        const QRect g = main_->frameGeometry();
        progress_.SetFormLeft(g.left() + g.width() / 2 - progress_.FormWidth() / 2);
        progress_.SetFormTop(g.top() + g.height() / 2 - progress_.FormHeight() / 2);
    }
    progress_.SetTitle(ProgressTitle);
    progress_.SetLines({line_});
    progress_.SetMin(0);
    progress_.SetMax(static_cast<int>(count));
    progress_.SetPosition(0);
    lastServe_ = NowMs();
    cf::ProcessMessages(); // the window appears before the work starts
}

void TPasteWindow::Step(std::size_t done)
{
    progress_.SetPosition(static_cast<int>(done));
    const std::uint64_t now = NowMs();
    if (now - lastServe_ < RepaintMs)
        return;
    lastServe_ = now;
    cf::ProcessMessages();
}

TPasteProgress TPasteWindow::Hooks()
{
    TPasteProgress hooks;
    hooks.Starting = [this](std::size_t count) { Show(count); };
    hooks.Step = [this](std::size_t done) { Step(done); };
    return hooks;
}
