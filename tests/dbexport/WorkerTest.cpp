// Background workers against the real test server: the statement runs on
// a connection of its own while the test's own thread, standing in for the
// GUI thread, goes on and receives the notifications.

#include "ServerHelpers.h"
#include "dbexport/MySQLDataset.h"
#include "dbexport/MySQLThread.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace {

using namespace cftest;
using Clock = std::chrono::steady_clock;

// A window whose messages queue up for its own thread, which takes them in Pump.
class QueueWindow : public TMySQLWindow {
public:
    void Post(TMySQLMessage m) override
    {
        std::lock_guard<std::mutex> g(lock_);
        queue_.push_back(std::move(m));
    }
    // Delivers what has arrived, on the calling thread.
    void Pump()
    {
        std::deque<TMySQLMessage> got;
        {
            std::lock_guard<std::mutex> g(lock_);
            got.swap(queue_);
        }
        for (auto& m : got) {
            deliveredOn.push_back(std::this_thread::get_id());
            if (m.Call)
                m.Call();
            delivered.push_back(std::move(m));
        }
    }
    size_t Pending()
    {
        std::lock_guard<std::mutex> g(lock_);
        return queue_.size();
    }
    bool Has(int msg) const
    {
        for (const auto& m : delivered)
            if (m.Msg == msg)
                return true;
        return false;
    }
    std::vector<TMySQLMessage> delivered;
    std::vector<std::thread::id> deliveredOn;

private:
    std::mutex lock_;
    std::deque<TMySQLMessage> queue_;
};

class DbWorker : public ::testing::Test {
protected:
    void SetUp() override
    {
        schema.Admin().SetDatabaseName(schema.Name());
        schema.Admin().Execute(std::vector<std::string>{"create table w (id int primary key, v varchar(10));",
                                                        "insert into w values (1, 'one'), (2, 'two');"});
        PointAtTestServer(server, schema.Name());
    }

    std::string Scalar(const std::string& sql)
    {
        TMySQLDataset ds;
        ds.SetServer(&schema.Admin());
        ds.SetSQLText(sql);
        ds.Open();
        return ds.IsEmpty() ? "<none>" : ds.Fields[0]->AsString();
    }

    Schema schema{"cf_worker"};
    TMySQLServer server;
};

TEST_F(DbWorker, StatementRunsAloneWhileTheGuiThreadGoesOn)
{
    auto window = std::make_shared<QueueWindow>();
    std::mutex m;
    std::condition_variable cv;
    bool ended = false;
    const auto start = Clock::now();
    const uint64_t id = RunSQLInThread(server, "insert into w select 3 + sleep(1), 'three'", window,
                                       [&](TMySQLThread*) {
                                           std::lock_guard<std::mutex> g(m);
                                           ended = true;
                                           cv.notify_all();
                                       });
    // It returned at once with the worker's id; this thread keeps working.
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(500));
    EXPECT_GT(id, 0u);
    int rounds = 0;
    for (;;) {
        window->Pump();
        ++rounds;
        std::unique_lock<std::mutex> g(m);
        if (cv.wait_for(g, std::chrono::milliseconds(10), [&] { return ended; }))
            break;
    }
    window->Pump();
    EXPECT_GT(rounds, 20);
    EXPECT_FALSE(server.Connected()); // the caller's own connection was never used
    EXPECT_EQ(Scalar("select v from w where id=3"), "three");
    ASSERT_GE(window->delivered.size(), 3u);
    EXPECT_EQ(window->delivered[0].Msg, WM_MYSQL_STATUS);
    EXPECT_EQ(window->delivered[0].Param, 32);
    EXPECT_TRUE(window->Has(WM_MYSQL_TASK_DONE));
    EXPECT_FALSE(window->Has(WM_MYSQL_EXCEPTION));
    for (const auto& m2 : window->delivered)
        EXPECT_EQ(m2.ThreadId, id);
    for (auto t : window->deliveredOn)
        EXPECT_EQ(t, std::this_thread::get_id());
}

TEST_F(DbWorker, WaitingRunReportsWhetherTheTimeOutRanOut)
{
    TMySQLThreadedSQL quick("[MySQL]\r\nTimeOut=30000\r\n", {}, false);
    EXPECT_FALSE(quick.Run(server, "update w set v='uno' where id=1", true));
    EXPECT_TRUE(quick.Succeeded());
    EXPECT_EQ(quick.GetStatus(), 0);
    EXPECT_EQ(Scalar("select v from w where id=1"), "uno");

    // The statement's own failure is the result, not an exception message.
    auto window = std::make_shared<QueueWindow>();
    TMySQLThreadedSQL failing("[MySQL]\r\nTimeOut=30000\r\n", window, false);
    EXPECT_FALSE(failing.Run(server, "insert into w values (1, 'dup')", true));
    EXPECT_FALSE(failing.Succeeded());
    failing.WaitDone(5000);
    window->Pump();
    EXPECT_FALSE(window->Has(WM_MYSQL_EXCEPTION));
}

TEST_F(DbWorker, ResultMessageHandsTheOpenedDatasetOver)
{
    auto window = std::make_shared<QueueWindow>();
    {
        TMySQLThreadedSQL w("[MySQL]\r\nTimeOut=30000\r\n", window, false);
        w.ResultMsg = 5000;
        w.ResultParam = 42;
        w.Run(server, "select id, v from w order by id", true);
    }
    window->Pump();
    const TMySQLMessage* result = nullptr;
    for (const auto& m : window->delivered)
        if (m.Msg == 5000)
            result = &m;
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->Param, 42);
    ASSERT_TRUE(result->Dataset);
    EXPECT_EQ(result->Dataset->RecordCount(), 2);
    EXPECT_EQ(result->Dataset->FieldByName("v")->AsString(), "one");
}

// The window goes away while the worker runs: its messages are dropped.
TEST_F(DbWorker, WindowDestroyedWhileBusyGetsNothing)
{
    auto window = std::make_shared<QueueWindow>();
    std::weak_ptr<QueueWindow> watch = window;
    TMySQLThreadedSQL w("[MySQL]\r\nTimeOut=30000\r\n", window, false);
    w.Run(server, "select sleep(0.5)", false);
    window.reset();
    EXPECT_TRUE(watch.expired());
    EXPECT_TRUE(w.WaitDone(10000));
    EXPECT_TRUE(w.Succeeded());
}

// Destroying a worker that is still busy waits for it only so long, and
// the server is told to end its statement.
TEST_F(DbWorker, DestroyingABusyWorkerWaitsWithABound)
{
    auto* w = new TMySQLThreadedSQL("[MySQL]\r\nTimeOut=300\r\n", {}, false);
    w->Run(server, "select sleep(30)", false);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const auto start = Clock::now();
    delete w;
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(6));
    EXPECT_EQ(Scalar("select count(*) from information_schema.processlist where info like 'select sleep(30)%'"), "0");
}

TEST_F(DbWorker, OpenDatasetInThreadWaitsAndCallsTheEvent)
{
    TMySQLDataset ds;
    ds.SetServer(&server);
    ds.SetSQLText("select * from w");
    TMySQLThread* seen = nullptr;
    OpenDatasetInThread(ds, true, [&](TMySQLThread* t) { seen = t; });
    EXPECT_NE(seen, nullptr);
    EXPECT_TRUE(ds.Active());
    EXPECT_EQ(ds.RecordCount(), 2);
    EXPECT_FALSE(ds.ShareConnection());

    // Through the dataset's own option: it opens on a worker and reports.
    TMySQLDataset threaded;
    threaded.SetServer(&server);
    threaded.SetSQLText("select * from w");
    threaded.SetOptions(threaded.Options() | doThreadedUpdate);
    std::atomic<bool> opened{false};
    threaded.OnThreadOpened = [&](TMySQLDatasetBase*) { opened = true; };
    threaded.OpenInThread(false);
    for (int i = 0; i < 1000 && !opened; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_TRUE(opened);
}

// A dataset's thread events run on its window's thread, after what was
// posted there before them; a dataset destroyed first hears nothing.
TEST_F(DbWorker, ThreadEventsRunOnTheWindowsThreadInOrder)
{
    auto window = std::make_shared<QueueWindow>();
    auto waitPending = [&](size_t n) {
        for (int i = 0; i < 2000 && window->Pending() < n; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return window->Pending();
    };
    // Another worker's notifications come first.
    RunSQLInThread(server, "insert into w values (3, 'three')", window, nullptr);
    ASSERT_EQ(waitPending(3), 3u);

    TMySQLDataset ds;
    ds.SetServer(&server);
    ds.SetSQLText("select * from w");
    ds.SetOptions(ds.Options() | doThreadedUpdate);
    ds.ThreadWindow = window;
    std::vector<std::string> heard;
    std::vector<std::thread::id> heardOn;
    ds.OnThreadOpened = [&](TMySQLDatasetBase* d) {
        heard.push_back("opened " + std::to_string(d->RecordCount()));
        heardOn.push_back(std::this_thread::get_id());
    };
    ds.OnThreadPosted = [&](TMySQLDatasetBase*, bool ok) {
        heard.push_back(ok ? "posted" : "failed");
        heardOn.push_back(std::this_thread::get_id());
    };
    ds.OpenInThread(true);
    ASSERT_EQ(waitPending(4), 4u);
    EXPECT_TRUE(heard.empty()); // not on the worker: it waits for this thread
    window->Pump();
    ASSERT_EQ(window->delivered.size(), 4u);
    EXPECT_EQ(window->delivered[0].Msg, WM_MYSQL_STATUS);
    EXPECT_EQ(window->delivered[1].Msg, WM_MYSQL_STATUS);
    EXPECT_EQ(window->delivered[2].Msg, WM_MYSQL_TASK_DONE);
    EXPECT_TRUE(window->delivered[3].Call);
    EXPECT_EQ(heard, std::vector<std::string>{"opened 3"});

    // A threaded statement's event takes the same road.
    ds.ExecSQL("update w set v='drei' where id=3", false);
    ASSERT_EQ(waitPending(1), 1u);
    EXPECT_EQ(heard.size(), 1u);
    window->Pump();
    EXPECT_EQ(heard, (std::vector<std::string>{"opened 3", "posted"}));
    for (const auto& id : heardOn)
        EXPECT_EQ(id, std::this_thread::get_id());
    EXPECT_EQ(Scalar("select v from w where id=3"), "drei");
}

TEST_F(DbWorker, ThreadEventOfADestroyedDatasetIsDropped)
{
    auto window = std::make_shared<QueueWindow>();
    bool heard = false;
    {
        TMySQLDataset ds;
        ds.SetServer(&server);
        ds.SetSQLText("select * from w");
        ds.SetOptions(ds.Options() | doThreadedUpdate);
        ds.ThreadWindow = window;
        ds.OnThreadOpened = [&](TMySQLDatasetBase*) { heard = true; };
        ds.OpenInThread(false);
        // The dataset waits for its worker before it goes.
    }
    for (int i = 0; i < 2000 && window->Pending() < 1; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    window->Pump();
    EXPECT_EQ(window->delivered.size(), 1u);
    EXPECT_FALSE(heard);
}

// A silent abort in the work posts nothing and ends the worker idle.
TEST_F(DbWorker, SilentAbortPostsNothing)
{
    struct Aborting : TMySQLThread {
        using TMySQLThread::TMySQLThread;
        bool DoWork() override { throw EAbort(); }
        ~Aborting() override { Join(); }
    };
    auto window = std::make_shared<QueueWindow>();
    Aborting a("", window, false);
    a.Start();
    EXPECT_TRUE(a.WaitDone(5000));
    window->Pump();
    EXPECT_FALSE(window->Has(WM_MYSQL_EXCEPTION));
    EXPECT_EQ(a.GetStatus(), 32); // the locked copy: the abort set the byte alone
    EXPECT_TRUE(a.LastException().empty());
}

} // namespace
