// Worker notifications reach the GUI thread through the event loop, and a
// window destroyed before they arrive gets none.

#include "app/MySQLWindow.h"

#include <QCoreApplication>
#include <QThread>
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>
#include <thread>

namespace {

// A worker that only changes its status and ends: no server needed.
struct StatusWorker : TMySQLThread {
    using TMySQLThread::TMySQLThread;
    bool DoWork() override { return true; }
    void DoFinish() override
    {
        SetStatus(0);
        SignalDone();
        Terminate();
    }
    ~StatusWorker() override { Join(); }
};

void ProcessFor(std::chrono::milliseconds ms)
{
    const auto end = std::chrono::steady_clock::now() + ms;
    while (std::chrono::steady_clock::now() < end)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

TEST(MySQLWindow, NotificationsArriveOnTheGuiThread)
{
    std::vector<int> msgs;
    std::vector<QThread*> threads;
    auto window = std::make_shared<TQtMySQLWindow>([&](const TMySQLMessage& m) {
        msgs.push_back(m.Msg);
        threads.push_back(QThread::currentThread());
    });
    StatusWorker w("", window, false);
    w.Start();
    ASSERT_TRUE(w.WaitDone(5000));
    EXPECT_TRUE(msgs.empty()); // nothing runs until the GUI thread takes its events
    ProcessFor(std::chrono::milliseconds(100));
    EXPECT_EQ(msgs, (std::vector<int>{WM_MYSQL_STATUS, WM_MYSQL_STATUS, WM_MYSQL_TASK_DONE}));
    for (QThread* t : threads)
        EXPECT_EQ(t, QCoreApplication::instance()->thread());
}

// A call posted from a worker (a dataset's thread event) runs on the GUI
// thread in its place among the messages, and not at all once the window is gone.
TEST(MySQLWindow, PostedCallRunsOnTheGuiThreadInOrder)
{
    std::vector<std::string> seen;
    std::vector<QThread*> threads;
    auto window = std::make_shared<TQtMySQLWindow>([&](const TMySQLMessage& m) {
        seen.push_back(std::to_string(m.Msg));
        threads.push_back(QThread::currentThread());
    });
    std::thread worker([&] {
        TMySQLMessage first;
        first.Msg = WM_MYSQL_STATUS;
        window->Post(first);
        TMySQLMessage call;
        call.Call = [&] {
            seen.push_back("call");
            threads.push_back(QThread::currentThread());
        };
        window->Post(call);
        TMySQLMessage last;
        last.Msg = WM_MYSQL_TASK_DONE;
        window->Post(last);
    });
    worker.join();
    EXPECT_TRUE(seen.empty());
    ProcessFor(std::chrono::milliseconds(100));
    EXPECT_EQ(seen, (std::vector<std::string>{"1213", "call", "1214"}));
    for (QThread* t : threads)
        EXPECT_EQ(t, QCoreApplication::instance()->thread());

    bool called = false;
    TMySQLMessage late;
    late.Call = [&] { called = true; };
    window->Post(late);
    window.reset();
    ProcessFor(std::chrono::milliseconds(50));
    EXPECT_FALSE(called);
}

TEST(MySQLWindow, DestroyedWindowGetsNothing)
{
    int calls = 0;
    auto window = std::make_shared<TQtMySQLWindow>([&](const TMySQLMessage&) { ++calls; });
    StatusWorker w("", window, false);
    w.Start();
    ASSERT_TRUE(w.WaitDone(5000));
    window.reset(); // the form went away with messages still queued
    ProcessFor(std::chrono::milliseconds(100));
    EXPECT_EQ(calls, 0);
}

} // namespace
